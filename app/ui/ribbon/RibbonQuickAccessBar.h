#pragma once
// The quick-access bar: small icon-only buttons for the most used commands and, at its end, the
// customisation arrow whose menu hides or shows each command and moves the bar above or below
// the ribbon. The menu is filled each time it opens (aboutToShowCustomizeMenu), so it always says
// where the bar is now.

#include <QWidget>

class QAction;
class QHBoxLayout;
class QMenu;
class QToolButton;

class RibbonQuickAccessBar : public QWidget {
    Q_OBJECT
public:
    explicit RibbonQuickAccessBar(QWidget *parent = nullptr);

    void addAction(QAction *action);
    QList<QAction *> commands() const { return actionList; }
    QMenu *customizeMenu() const { return menu; }
    // The visibility toggle of each command, for the customisation menu.
    QList<QAction *> visibilityToggles() const { return toggles; }

signals:
    void aboutToShowCustomizeMenu(QMenu *menu);

private:
    QHBoxLayout *row;
    QToolButton *customizeButton;
    QMenu *menu;
    QList<QAction *> actionList;
    QList<QAction *> toggles;
};
