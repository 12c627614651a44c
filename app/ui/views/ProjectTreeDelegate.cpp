#include "ProjectTreeDelegate.h"

#include "ResourceIcon.h"

namespace {

int depthOf(const QModelIndex &index)
{
    int depth = 0;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        ++depth;
    return depth;
}

} // namespace

ProjectTreeDelegate::ProjectTreeDelegate(QObject *parent)
    : QStyledItemDelegate(parent),
      icons{ResourceIcon::load(QStringLiteral(":/Res/tree_line.png")),
            ResourceIcon::load(QStringLiteral(":/Res/tree_station.png")),
            ResourceIcon::load(QStringLiteral(":/Res/tree_recording.png"))}
{
}

QString ProjectTreeDelegate::label(int depth, const QVariant &value)
{
    switch (depth) {
    case 0: return QStringLiteral("测线 %1").arg(value.toString());
    case 1: return QStringLiteral("测点 %1").arg(value.toString());
    default: return QStringLiteral("%1 Hz").arg(value.toString());
    }
}

void ProjectTreeDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const int depth = qMin(depthOf(index), 2);
    option->text = label(depth, index.data(Qt::DisplayRole));
    option->icon = icons[depth];
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->decorationSize = QSize(16, 16);
}
