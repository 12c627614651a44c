#include "RibbonQuickAccessBar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>

#include "RibbonMetrics.h"

RibbonQuickAccessBar::RibbonQuickAccessBar(QWidget *parent)
    : QWidget(parent), row(new QHBoxLayout(this)), customizeButton(new QToolButton),
      menu(new QMenu(this))
{
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(1);
    menu->setTitle(tr("Customize Quick Access Toolbar"));
    customizeButton->setObjectName(QStringLiteral("quickAccessCustomize"));
    customizeButton->setAutoRaise(true);
    customizeButton->setArrowType(Qt::DownArrow);
    customizeButton->setToolTip(tr("Customize Quick Access Toolbar"));
    customizeButton->setPopupMode(QToolButton::InstantPopup);
    customizeButton->setMenu(menu);
    customizeButton->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    row->addWidget(customizeButton);
    connect(menu, &QMenu::aboutToShow, this, [this] { emit aboutToShowCustomizeMenu(menu); });
}

void RibbonQuickAccessBar::addAction(QAction *action)
{
    auto *button = new QToolButton;
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setIconSize(QSize(RibbonMetrics::kSmallIcon, RibbonMetrics::kSmallIcon));
    row->insertWidget(row->count() - 1, button);
    actionList.append(action);

    auto *toggle = new QAction(action->text(), this);
    toggle->setCheckable(true);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, button, &QWidget::setVisible);
    toggles.append(toggle);
}
