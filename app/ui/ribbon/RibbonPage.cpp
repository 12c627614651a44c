#include "RibbonPage.h"

#include <QHBoxLayout>

#include "RibbonGroup.h"

RibbonPage::RibbonPage(const QString &title, QWidget *parent)
    : QWidget(parent), pageTitle(title), row(new QHBoxLayout(this))
{
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(2);
    row->addStretch(1);
}

RibbonGroup *RibbonPage::addGroup(const QString &title)
{
    auto *group = new RibbonGroup(title);
    row->insertWidget(row->count() - 1, group);
    return group;
}

QList<RibbonGroup *> RibbonPage::groups() const
{
    return findChildren<RibbonGroup *>(QString(), Qt::FindDirectChildrenOnly);
}
