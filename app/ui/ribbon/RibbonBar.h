#pragma once
// A ribbon: the system button and the page tabs on one row, under it the band showing the
// current page's groups, and the quick-access bar above the tabs or below the band. Minimised,
// only the tab row shows; a click on a tab then drops the band down over the window until the
// operator clicks elsewhere. Double-clicking a tab or Ctrl+F1 switches minimising.

#include <QWidget>

class QAction;
class QHBoxLayout;
class QStackedWidget;
class QTabBar;
class QToolButton;
class QVBoxLayout;
class RibbonPage;
class RibbonPopup;
class RibbonQuickAccessBar;
class RibbonSystemButton;
class RibbonSystemMenu;

class RibbonBar : public QWidget {
    Q_OBJECT
public:
    explicit RibbonBar(QWidget *parent = nullptr);

    RibbonPage *addPage(const QString &title);
    QList<RibbonPage *> pages() const { return pageList; }
    int currentPage() const;
    void setCurrentPage(int index);

    RibbonSystemButton *systemButton() const { return sysButton; }
    RibbonSystemMenu *systemMenu() const { return sysMenu; }
    RibbonQuickAccessBar *quickAccessBar() const { return quickAccess; }
    // A button at the right end of the tab row (the Options menu, About).
    void addCornerButton(QToolButton *button);
    // The checkable "Minimize the Ribbon" action (Ctrl+F1) of the button at the tab row's end.
    QAction *minimizeAction() const { return minimize; }

    bool isMinimized() const { return minimized; }
    bool isQuickAccessBelow() const { return quickAccessBelow; }
    void setAnimated(bool on) { animated = on; }
    bool isAnimated() const { return animated; }
    // True while the band of a minimised ribbon is dropped down.
    bool isBandPoppedUp() const;

public slots:
    void setMinimized(bool on);
    void setQuickAccessBelow(bool below);

signals:
    void minimizationChanged(bool minimized);
    void quickAccessPositionChanged(bool below);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildTabRow();
    void onTabClicked(int index);
    void popUpBand();
    void takeBandBack();
    void updateTabStyle();
    void updateBandHeight();
    void updateMinimizeButton();

    QVBoxLayout *rows;
    QHBoxLayout *topRow;
    QHBoxLayout *tabRow;
    QHBoxLayout *bottomRow;
    RibbonSystemButton *sysButton;
    RibbonSystemMenu *sysMenu;
    QTabBar *tabs;
    QStackedWidget *band;
    RibbonPopup *bandPopup;
    QToolButton *minimizeButton;
    QAction *minimize;
    RibbonQuickAccessBar *quickAccess;
    QList<RibbonPage *> pageList;
    bool minimized = false;
    bool quickAccessBelow = false;
    bool animated = true;
};
