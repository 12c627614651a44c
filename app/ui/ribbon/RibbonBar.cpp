#include "RibbonBar.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPropertyAnimation>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "RibbonMetrics.h"
#include "RibbonPage.h"
#include "RibbonPopup.h"
#include "RibbonQuickAccessBar.h"
#include "RibbonSystemButton.h"
#include "RibbonSystemMenu.h"

RibbonBar::RibbonBar(QWidget *parent)
    : QWidget(parent), rows(new QVBoxLayout(this)), topRow(new QHBoxLayout),
      tabRow(new QHBoxLayout), bottomRow(new QHBoxLayout), sysButton(new RibbonSystemButton),
      sysMenu(new RibbonSystemMenu(this)), tabs(new QTabBar), band(new QStackedWidget),
      bandPopup(new RibbonPopup(this)), minimizeButton(new QToolButton),
      minimize(new QAction(this)), quickAccess(new RibbonQuickAccessBar)
{
    setObjectName(QStringLiteral("ribbonBar"));
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    topRow->setContentsMargins(4, 1, 4, 0);
    topRow->addWidget(quickAccess);
    topRow->addStretch(1);
    rows->addLayout(topRow);
    buildTabRow();
    rows->addLayout(tabRow);
    rows->addWidget(band);
    bottomRow->setContentsMargins(4, 1, 4, 1);
    bottomRow->addStretch(1);
    rows->addLayout(bottomRow);
    connect(bandPopup, &RibbonPopup::returned, this, &RibbonBar::takeBandBack);
    updateTabStyle();
    updateBandHeight();
    updateMinimizeButton();
}

void RibbonBar::buildTabRow()
{
    tabRow->setContentsMargins(2, 2, 4, 0);
    tabRow->setSpacing(2);
    connect(sysButton, &QToolButton::clicked, this, [this] {
        sysMenu->popup(sysButton->mapToGlobal(QPoint(0, sysButton->height())));
    });
    tabRow->addWidget(sysButton, 0, Qt::AlignBottom);
    tabs->setDrawBase(false);
    tabs->setExpanding(false);
    tabs->setDocumentMode(true);
    tabs->setFocusPolicy(Qt::NoFocus);
    connect(tabs, &QTabBar::tabBarClicked, this, &RibbonBar::onTabClicked);
    connect(tabs, &QTabBar::currentChanged, band, &QStackedWidget::setCurrentIndex);
    connect(tabs, &QTabBar::tabBarDoubleClicked, this, [this] { setMinimized(!minimized); });
    tabRow->addWidget(tabs, 0, Qt::AlignBottom);
    tabRow->addStretch(1);
    minimize->setObjectName(QStringLiteral("actionMinimizeRibbon"));
    minimize->setCheckable(true);
    minimize->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1));
    minimize->setShortcutContext(Qt::WindowShortcut);
    connect(minimize, &QAction::toggled, this, &RibbonBar::setMinimized);
    minimizeButton->setDefaultAction(minimize);
    minimizeButton->setAutoRaise(true);
    minimizeButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tabRow->addWidget(minimizeButton, 0, Qt::AlignVCenter);
    addAction(minimize);
}

RibbonPage *RibbonBar::addPage(const QString &title)
{
    auto *page = new RibbonPage(title);
    pageList.append(page);
    band->addWidget(page);
    tabs->addTab(title);
    return page;
}

int RibbonBar::currentPage() const
{
    return tabs->currentIndex();
}

void RibbonBar::setCurrentPage(int index)
{
    tabs->setCurrentIndex(index);
}

void RibbonBar::addCornerButton(QToolButton *button)
{
    button->setAutoRaise(true);
    tabRow->insertWidget(tabRow->indexOf(minimizeButton), button, 0, Qt::AlignVCenter);
}

bool RibbonBar::isBandPoppedUp() const
{
    return bandPopup->isVisible();
}

void RibbonBar::setMinimized(bool on)
{
    if (on == minimized)
        return;
    minimized = on;
    if (isBandPoppedUp())
        bandPopup->hide();
    band->setVisible(!on);
    minimize->setChecked(on);
    updateMinimizeButton();
    update();
    emit minimizationChanged(on);
}

void RibbonBar::setQuickAccessBelow(bool below)
{
    if (below == quickAccessBelow)
        return;
    quickAccessBelow = below;
    if (below)
        bottomRow->insertWidget(0, quickAccess);
    else
        topRow->insertWidget(0, quickAccess);
    update();
    emit quickAccessPositionChanged(below);
}

void RibbonBar::onTabClicked(int index)
{
    if (!minimized || index < 0)
        return;
    tabs->setCurrentIndex(index);
    popUpBand();
}

void RibbonBar::popUpBand()
{
    const QPoint corner = mapToGlobal(QPoint(0, tabs->geometry().bottom() + 1));
    const QRect target(corner, QSize(width(), band->height() + 2));
    bandPopup->lend(band, target);
    if (!animated)
        return;
    auto *slide = new QPropertyAnimation(bandPopup, "geometry", bandPopup);
    slide->setDuration(120);
    slide->setStartValue(QRect(corner, QSize(width(), 1)));
    slide->setEndValue(target);
    slide->start(QAbstractAnimation::DeleteWhenStopped);
}

void RibbonBar::takeBandBack()
{
    rows->insertWidget(rows->indexOf(bottomRow), band);
    band->setVisible(!minimized);
}

void RibbonBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &p = palette();
    painter.fillRect(rect(), p.color(QPalette::Window));
    if (band->isVisible() && band->parentWidget() == this) {
        const QRect r = band->geometry();
        QLinearGradient fill(r.topLeft(), r.bottomLeft());
        fill.setColorAt(0, p.color(QPalette::Base));
        fill.setColorAt(1, p.color(QPalette::AlternateBase));
        painter.fillRect(r, fill);
        painter.setPen(p.color(QPalette::Mid));
        painter.drawLine(r.topLeft() - QPoint(0, 1), r.topRight() - QPoint(0, 1));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
    }
    painter.setPen(p.color(QPalette::Mid));
    painter.drawLine(0, height() - 1, width(), height() - 1);
}

void RibbonBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        updateTabStyle();
    if (event->type() == QEvent::FontChange)
        updateBandHeight();
    QWidget::changeEvent(event);
}

void RibbonBar::updateTabStyle()
{
    const QPalette &p = palette();
    tabs->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 3px 16px 4px 16px; margin: 0px 1px; color: %1;"
        " border: 1px solid transparent; border-bottom: none; background: transparent;"
        " border-top-left-radius: 3px; border-top-right-radius: 3px; }"
        "QTabBar::tab:selected { background: %2; border-color: %3; }"
        "QTabBar::tab:hover:!selected { background: %4; }")
                            .arg(p.color(QPalette::WindowText).name(),
                                 p.color(QPalette::Base).name(), p.color(QPalette::Mid).name(),
                                 p.color(QPalette::Midlight).name()));
    bandPopup->setPalette(p);
}

void RibbonBar::updateBandHeight()
{
    band->setFixedHeight(RibbonMetrics::bandHeight(fontMetrics()));
}

void RibbonBar::updateMinimizeButton()
{
    minimize->setText(minimized ? tr("Expand the Ribbon") : tr("Minimize the Ribbon"));
    minimize->setToolTip(minimized ? tr("Expand the Ribbon\nShow the whole Ribbon again")
                                   : tr("Minimize the Ribbon\nShow only the tab names on the Ribbon"));
    minimize->setIcon(style()->standardIcon(minimized ? QStyle::SP_TitleBarUnshadeButton
                                                      : QStyle::SP_TitleBarShadeButton));
}
