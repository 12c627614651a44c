#include "TreeNode.h"

TreeNode::TreeNode(const QVector<QVariant> &data, TreeNode *parent)
    : itemData(data), parentNode(parent)
{
}

TreeNode::~TreeNode()
{
    qDeleteAll(children);
}

TreeNode *TreeNode::child(int row) const
{
    return row >= 0 && row < children.size() ? children.at(row) : nullptr;
}

QVariant TreeNode::data(int column) const
{
    return column >= 0 && column < itemData.size() ? itemData.at(column) : QVariant();
}

bool TreeNode::setData(int column, const QVariant &value)
{
    if (column < 0 || column >= itemData.size())
        return false;
    itemData[column] = value;
    return true;
}

int TreeNode::row() const
{
    return parentNode ? parentNode->children.indexOf(const_cast<TreeNode *>(this)) : 0;
}

bool TreeNode::insertChildren(int position, int count, int columns)
{
    if (position < 0 || position > children.size() || count < 0)
        return false;
    for (int i = 0; i < count; ++i)
        children.insert(position, new TreeNode(QVector<QVariant>(columns), this));
    return true;
}

TreeNode *TreeNode::appendChild(const QVector<QVariant> &data)
{
    children.append(new TreeNode(data, this));
    return children.last();
}

bool TreeNode::removeChildren(int position, int count)
{
    if (position < 0 || count < 0 || position + count > children.size())
        return false;
    for (int i = 0; i < count; ++i)
        delete children.takeAt(position);
    return true;
}

bool TreeNode::insertColumns(int position, int columns)
{
    if (position < 0 || position > itemData.size() || columns < 0)
        return false;
    for (int i = 0; i < columns; ++i)
        itemData.insert(position, QVariant());
    for (TreeNode *child : qAsConst(children))
        child->insertColumns(position, columns);
    return true;
}

bool TreeNode::removeColumns(int position, int columns)
{
    if (position < 0 || columns < 0 || position + columns > itemData.size())
        return false;
    itemData.remove(position, columns);
    for (TreeNode *child : qAsConst(children))
        child->removeColumns(position, columns);
    return true;
}
