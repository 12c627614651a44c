#pragma once
// A generic tree model over TreeNode items with check boxes in column 0. Three levels are
// meaningful: top-level items (lines), their children (stations) and grandchildren (recordings).
// Checking or unchecking a line or station item cascades to every item below it; after each
// check change itemCheckChanged is called for that item, so a subclass can write it back.

#include <QAbstractItemModel>

class TreeNode;

class TreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // Line, station and recording row of an item (-1 where the level is absent).
    struct ItemRows {
        int line = -1;
        int station = -1;
        int recording = -1;
    };

    // headers: the captions of the columns (the root's data).
    explicit TreeModel(const QStringList &headers, QObject *parent = nullptr);
    ~TreeModel() override;

    static ItemRows rowsOf(const QModelIndex &index);

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                       int role = Qt::EditRole) override;
    bool insertRows(int position, int rows, const QModelIndex &parent = QModelIndex()) override;
    bool removeRows(int position, int rows, const QModelIndex &parent = QModelIndex()) override;
    bool insertColumns(int position, int columns, const QModelIndex &parent = QModelIndex()) override;
    bool removeColumns(int position, int columns, const QModelIndex &parent = QModelIndex()) override;

protected slots:
    // Called after a successful edit of index.
    virtual void itemEdited(const QModelIndex &index) = 0;
    // Called after each check-state change of index (once per item of a cascade).
    virtual void itemCheckChanged(const QModelIndex &index) = 0;

protected:
    TreeNode *nodeOf(const QModelIndex &index) const;
    TreeNode *rootNode() const { return root; }
    // Removes every item below the root, inside a model reset.
    void clearTree();
    // Appends an item showing value in column 0, ticked or not, below parent (root when null).
    // Only for use between beginResetModel and endResetModel.
    TreeNode *appendItem(TreeNode *parent, const QVariant &value, bool ticked);

private:
    bool setCheckState(const QModelIndex &index, const QVariant &value);

    TreeNode *root;
};
