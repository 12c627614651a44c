#pragma once
// One item of the project tree: a row of column values, a check flag and the child items it owns.
// Not a QObject; a node deletes its children when it is deleted.

#include <QList>
#include <QVariant>
#include <QVector>

class TreeNode {
public:
    explicit TreeNode(const QVector<QVariant> &data, TreeNode *parent = nullptr);
    ~TreeNode();
    TreeNode(const TreeNode &) = delete;
    TreeNode &operator=(const TreeNode &) = delete;

    // Null when row is out of range.
    TreeNode *child(int row) const;
    int childCount() const { return children.size(); }
    int columnCount() const { return itemData.size(); }
    // An invalid QVariant when column is out of range.
    QVariant data(int column) const;
    // False when column is negative or not below the column count.
    bool setData(int column, const QVariant &value);
    TreeNode *parent() const { return parentNode; }
    // Position among the parent's children; 0 for the root, -1 when not found.
    int row() const;

    // Inserts count new children with columns empty values at position; false when position is
    // out of range (0 .. child count) or count is negative.
    bool insertChildren(int position, int count, int columns);
    // Appends a child holding data and returns it.
    TreeNode *appendChild(const QVector<QVariant> &data);
    // Deletes count children from position; false when the range is out of bounds.
    bool removeChildren(int position, int count);
    // Inserts or removes columns in this node and every descendant.
    bool insertColumns(int position, int columns);
    bool removeColumns(int position, int columns);

    // Only column 0 carries a check box.
    bool checkable(int column) const { return column == 0 && column < columnCount(); }
    bool ticked() const { return isTicked; }
    void setTicked(bool value) { isTicked = value; }

private:
    QList<TreeNode *> children;
    QVector<QVariant> itemData;
    TreeNode *parentNode;
    bool isTicked = false;
};
