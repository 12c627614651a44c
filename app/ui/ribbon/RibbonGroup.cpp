#include "RibbonGroup.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include "RibbonMetrics.h"

RibbonGroup::RibbonGroup(const QString &title, QWidget *parent)
    : QWidget(parent), columns(new QHBoxLayout), titleLabel(new QLabel(title))
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 3, 6, 1);
    outer->setSpacing(0);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(3);
    outer->addLayout(columns, 1);
    titleLabel->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    titleLabel->setObjectName(QStringLiteral("ribbonGroupTitle"));
    outer->addWidget(titleLabel);
    updateTitleColour();
}

QString RibbonGroup::title() const
{
    return titleLabel->text();
}

QIcon RibbonGroup::leadIcon() const
{
    for (const QToolButton *button : findChildren<QToolButton *>())
        if (!button->icon().isNull())
            return button->icon();
    return QIcon();
}

QToolButton *RibbonGroup::addLargeAction(QAction *action)
{
    startColumn();
    auto *button = new QToolButton;
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(RibbonMetrics::kLargeIcon, RibbonMetrics::kLargeIcon));
    button->setAutoRaise(true);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    button->setMinimumWidth(RibbonMetrics::kLargeIcon + 16);
    columns->addWidget(button);
    return button;
}

QToolButton *RibbonGroup::addSmallAction(QAction *action)
{
    auto *button = new QToolButton;
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setIconSize(QSize(RibbonMetrics::kSmallIcon, RibbonMetrics::kSmallIcon));
    button->setAutoRaise(true);
    addSmallWidget(button);
    return button;
}

void RibbonGroup::addCaptionedWidget(const QString &caption, QWidget *widget)
{
    QGridLayout *column = columnWithFreeRow();
    auto *label = new QLabel(caption);
    label->setBuddy(widget);
    column->addWidget(label, usedRows, 0);
    column->addWidget(widget, usedRows, 1);
    ++usedRows;
}

void RibbonGroup::addSmallWidget(QWidget *widget)
{
    QGridLayout *column = columnWithFreeRow();
    column->addWidget(widget, usedRows, 0, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
    ++usedRows;
}

QGridLayout *RibbonGroup::columnWithFreeRow()
{
    if (openColumn && usedRows < RibbonMetrics::kRowsPerColumn)
        return openColumn;
    openColumn = new QGridLayout;
    openColumn->setContentsMargins(2, 0, 2, 0);
    openColumn->setHorizontalSpacing(6);
    openColumn->setVerticalSpacing(2);
    openColumn->setAlignment(Qt::AlignTop);
    const int row = RibbonMetrics::rowHeight(fontMetrics());
    for (int r = 0; r < RibbonMetrics::kRowsPerColumn; ++r)
        openColumn->setRowMinimumHeight(r, row);
    columns->addLayout(openColumn);
    usedRows = 0;
    return openColumn;
}

void RibbonGroup::startColumn()
{
    openColumn = nullptr;
    usedRows = 0;
}

void RibbonGroup::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor line = palette().color(QPalette::Mid);
    const int x = width() - 1;
    QLinearGradient fade(0, 0, 0, height());
    fade.setColorAt(0.0, Qt::transparent);
    fade.setColorAt(0.15, line);
    fade.setColorAt(0.85, line);
    fade.setColorAt(1.0, Qt::transparent);
    painter.setPen(QPen(QBrush(fade), 1));
    painter.drawLine(x, 3, x, height() - 3);
}

void RibbonGroup::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        updateTitleColour();
    QWidget::changeEvent(event);
}

void RibbonGroup::updateTitleColour()
{
    QPalette p = titleLabel->palette();
    p.setColor(QPalette::WindowText, palette().color(QPalette::Disabled, QPalette::WindowText));
    titleLabel->setPalette(p);
}
