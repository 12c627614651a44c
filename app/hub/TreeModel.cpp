#include "TreeModel.h"

#include <QDebug>

#include "TreeNode.h"

namespace {

QVector<QVariant> captions(const QStringList &headers)
{
    QVector<QVariant> data;
    for (const QString &header : headers)
        data.append(header);
    return data;
}

bool isRecordingItem(const QModelIndex &index)
{
    return index.parent().isValid() && index.parent().parent().isValid();
}

} // namespace

TreeModel::TreeModel(const QStringList &headers, QObject *parent)
    : QAbstractItemModel(parent), root(new TreeNode(captions(headers)))
{
}

TreeModel::~TreeModel()
{
    delete root;
}

TreeModel::ItemRows TreeModel::rowsOf(const QModelIndex &index)
{
    ItemRows rows;
    if (!index.isValid())
        return rows;
    const QModelIndex parent = index.parent();
    if (!parent.isValid()) {
        rows.line = index.row();
    } else if (!parent.parent().isValid()) {
        rows.line = parent.row();
        rows.station = index.row();
    } else {
        rows.line = parent.parent().row();
        rows.station = parent.row();
        rows.recording = index.row();
    }
    return rows;
}

TreeNode *TreeModel::nodeOf(const QModelIndex &index) const
{
    if (index.isValid())
        return static_cast<TreeNode *>(index.internalPointer());
    return root;
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return QModelIndex();
    if (column < 0 || column >= columnCount())
        return QModelIndex();
    TreeNode *child = nodeOf(parent)->child(row);
    return child ? createIndex(row, column, child) : QModelIndex();
}

QModelIndex TreeModel::parent(const QModelIndex &index) const
{
    if (!index.isValid())
        return QModelIndex();
    TreeNode *parentNode = nodeOf(index)->parent();
    if (!parentNode || parentNode == root)
        return QModelIndex();
    return createIndex(parentNode->row(), 0, parentNode);
}

int TreeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    return nodeOf(parent)->childCount();
}

int TreeModel::columnCount(const QModelIndex &) const
{
    return root->columnCount();
}

QVariant TreeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const TreeNode *node = nodeOf(index);
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return node->data(index.column());
    if (role == Qt::CheckStateRole && node->checkable(index.column()))
        return int(node->ticked() ? Qt::Checked : Qt::Unchecked);
    return QVariant();
}

QVariant TreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return root->data(section);
    return QVariant();
}

Qt::ItemFlags TreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = QAbstractItemModel::flags(index);
    if (isRecordingItem(index))
        return base | Qt::ItemIsUserCheckable;
    if (index.column() == 0)
        return base | Qt::ItemIsUserCheckable | Qt::ItemIsEditable;
    return base | Qt::ItemIsEditable;
}

bool TreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    qDebug() << "role: " << role;
    if (!index.isValid())
        return false;
    if (role == Qt::CheckStateRole)
        return setCheckState(index, value);
    if (role != Qt::EditRole)
        return false;
    const bool result = nodeOf(index)->setData(index.column(), value);
    if (result) {
        emit dataChanged(index, index, {Qt::EditRole});
        itemEdited(index);
    }
    return result;
}

// Sets the item's check flag, cascades the value to every child in row order, then lets the
// subclass write the item back.
bool TreeModel::setCheckState(const QModelIndex &index, const QVariant &value)
{
    qDebug() << "setData role: CheckStateRole " << Qt::CheckStateRole;
    if (index.column() != 0)
        return false;
    TreeNode *node = nodeOf(index);
    node->setTicked(value.toInt() == Qt::Checked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    if (!isRecordingItem(index)) {
        for (int row = 0; row < node->childCount(); ++row)
            setData(this->index(row, 0, index), value, Qt::CheckStateRole);
    }
    itemCheckChanged(index);
    return true;
}

bool TreeModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                              int role)
{
    if (role != Qt::EditRole || orientation != Qt::Horizontal)
        return false;
    const bool result = root->setData(section, value);
    if (result)
        emit headerDataChanged(orientation, section, section);
    return result;
}

bool TreeModel::insertRows(int position, int rows, const QModelIndex &parent)
{
    TreeNode *node = nodeOf(parent);
    if (position < 0 || position > node->childCount() || rows < 1)
        return false;
    beginInsertRows(parent, position, position + rows - 1);
    const bool result = node->insertChildren(position, rows, root->columnCount());
    endInsertRows();
    return result;
}

bool TreeModel::removeRows(int position, int rows, const QModelIndex &parent)
{
    TreeNode *node = nodeOf(parent);
    if (position < 0 || rows < 1 || position + rows > node->childCount())
        return false;
    beginRemoveRows(parent, position, position + rows - 1);
    const bool result = node->removeChildren(position, rows);
    endRemoveRows();
    return result;
}

bool TreeModel::insertColumns(int position, int columns, const QModelIndex &)
{
    if (position < 0 || position > root->columnCount() || columns < 1)
        return false;
    beginInsertColumns(QModelIndex(), position, position + columns - 1);
    const bool result = root->insertColumns(position, columns);
    endInsertColumns();
    return result;
}

bool TreeModel::removeColumns(int position, int columns, const QModelIndex &)
{
    if (position < 0 || columns < 1 || position + columns > root->columnCount())
        return false;
    beginRemoveColumns(QModelIndex(), position, position + columns - 1);
    const bool result = root->removeColumns(position, columns);
    endRemoveColumns();
    if (root->columnCount() == 0)
        removeRows(0, rowCount());
    return result;
}

void TreeModel::clearTree()
{
    beginResetModel();
    root->removeChildren(0, root->childCount());
    endResetModel();
}

TreeNode *TreeModel::appendItem(TreeNode *parent, const QVariant &value, bool ticked)
{
    QVector<QVariant> data(root->columnCount());
    if (!data.isEmpty())
        data[0] = value;
    TreeNode *node = (parent ? parent : root)->appendChild(data);
    node->setTicked(ticked);
    return node;
}
