#pragma once
// The frame under the main window: a QMainWindow whose menu area is our ribbon, with the frame's
// Options menu at the right end of the tab row (the themes, the Animation toggle, the Font sizes,
// "DPI Aware (new)", "Native Scroll Bars (new)" and "Native Dialogs"), the ribbon's minimise
// button (Ctrl+F1), the quick-access customisation menu and the About box. The chosen theme,
// font size, toggles, ribbon state and window geometry are kept in the program's settings and
// restored at the next start.

#include <QMainWindow>

class QActionGroup;
class QMenu;
class QToolButton;
class RibbonBar;

class RibbonWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit RibbonWindow(QWidget *parent = nullptr);

    RibbonBar *ribbonBar() const { return ribbon; }
    QMenu *optionsMenu() const { return optionsMenuWidget; }
    // The internal name of the theme in use ("Office2007Blue" ...).
    QString currentTheme() const;
    // The action of the Options menu with that object name (themes, fonts, toggles).
    QAction *optionAction(const QString &objectName) const;

public slots:
    void about();
    void options(QAction *action);
    void optionsDialog();
    void includingAnimation(bool on);
    void maximizeToggle();
    void minimizationChanged(bool minimized);
    void optionsFont(QAction *action);
    void setDPIToggled(bool on);
    void setNativeScrollBarsToggled(bool on);
    void setNativeDialogsToggled(bool on);
    void showQuickAccessCustomizeMenu(QMenu *menu);
    void switchQuickAccessBarPosition();

protected:
    // Restores the frame's settings and geometry; called by the derived window once its docks
    // and central widgets exist, so that their sizes are restored too.
    void restoreFrameState();
    void saveFrameState() const;
    // The text of the About box.
    virtual QString aboutText() const;

private:
    void buildOptionsMenu();
    void addThemeActions();
    void addFontActions(QMenu *menu);
    QAction *addToggle(QMenu *menu, const QString &name, const QString &text, bool on,
                       void (RibbonWindow::*slot)(bool));
    void applyScrollBarSheet();

    RibbonBar *ribbon;
    QMenu *optionsMenuWidget;
    QToolButton *optionsButton;
    QActionGroup *themeGroup;
    QActionGroup *fontGroup;
    bool nativeScrollBars = false;
};
