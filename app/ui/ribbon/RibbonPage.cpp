#include "RibbonPage.h"

#include <QHBoxLayout>
#include <QResizeEvent>
#include <QToolButton>

#include "RibbonGroup.h"
#include "RibbonMetrics.h"
#include "RibbonPopup.h"

RibbonPage::RibbonPage(const QString &title, QWidget *parent)
    : QWidget(parent), pageTitle(title), row(new QHBoxLayout(this)), popup(new RibbonPopup(this))
{
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(2);
    row->addStretch(1);
    connect(popup, &RibbonPopup::returned, this, &RibbonPage::takeBack);
}

RibbonGroup *RibbonPage::addGroup(const QString &title)
{
    auto *group = new RibbonGroup(title);
    auto *folded = new QToolButton;
    folded->setText(title + QStringLiteral(" \u25BE"));  // the arrow says it drops down
    folded->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    folded->setIconSize(QSize(RibbonMetrics::kLargeIcon, RibbonMetrics::kLargeIcon));
    folded->setAutoRaise(true);
    folded->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    folded->setToolTip(title);
    folded->hide();
    row->insertWidget(row->count() - 1, group);
    row->insertWidget(row->count() - 1, folded);
    slots_.append({group, folded});
    connect(folded, &QToolButton::clicked, this, [this, group] { dropDown(slots_[indexOf(group)]); });
    return group;
}

QList<RibbonGroup *> RibbonPage::groups() const
{
    QList<RibbonGroup *> list;
    for (const Slot &slot : slots_)
        list.append(slot.group);
    return list;
}

int RibbonPage::indexOf(const RibbonGroup *group) const
{
    for (int i = 0; i < slots_.size(); ++i)
        if (slots_[i].group == group)
            return i;
    return -1;
}

QToolButton *RibbonPage::foldedButton(const RibbonGroup *group) const
{
    const int i = indexOf(group);
    return i < 0 ? nullptr : slots_[i].folded;
}

bool RibbonPage::isFolded(const RibbonGroup *group) const
{
    const int i = indexOf(group);
    return i >= 0 && slots_[i].isFolded;
}

QSize RibbonPage::minimumSizeHint() const
{
    int width = row->contentsMargins().left() + row->contentsMargins().right();
    for (const Slot &slot : slots_)
        width += slot.folded->sizeHint().width() + row->spacing();
    return QSize(width, QWidget::minimumSizeHint().height());
}

void RibbonPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitGroups(event->size().width());
}

void RibbonPage::fitGroups(int width)
{
    int needed = row->contentsMargins().left() + row->contentsMargins().right();
    for (const Slot &slot : qAsConst(slots_))
        needed += slot.group->sizeHint().width() + row->spacing();
    for (int i = slots_.size() - 1; i >= 0; --i) {
        Slot &slot = slots_[i];
        slot.isFolded = needed > width;
        if (slot.isFolded)
            needed -= slot.group->sizeHint().width() - slot.folded->sizeHint().width();
    }
    for (Slot &slot : slots_) {
        if (slot.folded->icon().isNull())
            slot.folded->setIcon(slot.group->leadIcon());
        slot.folded->setVisible(slot.isFolded);
        if (slot.group->parentWidget() == this)
            slot.group->setVisible(!slot.isFolded);
    }
}

void RibbonPage::dropDown(const Slot &slot)
{
    // Below its button, moved left where it would reach past the window's right edge.
    const QSize size(slot.group->sizeHint().width() + 2, height() + 2);
    QPoint corner = slot.folded->mapToGlobal(QPoint(0, slot.folded->height()));
    const QRect bounds = window()->geometry();
    corner.setX(qMax(bounds.left(), qMin(corner.x(), bounds.right() + 1 - size.width())));
    popup->lend(slot.group, QRect(corner, size));
}

void RibbonPage::takeBack(QWidget *group)
{
    const int i = indexOf(static_cast<RibbonGroup *>(group));
    row->insertWidget(row->indexOf(slots_[i].folded), group);
    group->setVisible(!slots_[i].isFolded);
}
