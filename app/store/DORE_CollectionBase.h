#pragma once
// The rows of one entity class that match one condition (normally the children of one parent
// row), loaded as objects that the collection owns. The typed face is DORE_Collection<T>; this
// base holds everything that does not depend on the entity type.

#include <QList>
#include <QSqlQuery>
#include <QStringList>
#include <memory>

class DORE_BaseObject;
class LibDORE;
struct QMetaObject;

class DORE_CollectionBase {
public:
    DORE_CollectionBase(const DORE_CollectionBase &) = delete;
    DORE_CollectionBase &operator=(const DORE_CollectionBase &) = delete;

    // Rows under the filter, or all rows of the table without one.
    int count() const;
    // Deletes the loaded objects and loads the rows matching where (without the word WHERE) in
    // order (without ORDER BY); where and order become the collection's filter and order.
    void loadTable(const QString &where, const QString &order);
    // Loads the rows of one SELECT and appends their objects (columns empty: all columns).
    void query(const QStringList &columns, const QString &where, const QString &limitClause,
               const QString &order);
    // Reloads with the collection's own filter and order.
    void reload();

    QString filter() const { return m_filter; }
    QString order() const { return m_order; }
    void setOrder(const QString &order) { m_order = order; }
    bool isChild() const { return m_child; }

    // Loads pageSize rows at a time (pageSize is raised to at least 1); takes effect on reload.
    void setPaging(bool enabled, int pageSize);
    int page() const { return m_page; }
    int currentPosition() const { return m_currentPosition; }

protected:
    using Factory = DORE_BaseObject *(*)(LibDORE *);
    DORE_CollectionBase(LibDORE *db, const QMetaObject *meta, Factory factory);
    DORE_CollectionBase(LibDORE *db, const QMetaObject *meta, Factory factory,
                        const QString &foreignKeyName, const QString &foreignKeyValue);
    ~DORE_CollectionBase();

    // The object at position, or null; *validPosition receives position or -1.
    DORE_BaseObject *objectAt(int position, int *validPosition);
    // Inserts a new row with the constructor defaults (and the parent key) and appends its object;
    // returns the object's position.
    int appendNewObject();

private:
    void initColumns();
    // Columns registered for the table beyond those the class declares (a later version of the
    // entity registered them); rows carry them as dynamic properties.
    void addRegisteredColumns();
    QString tableName() const;
    void setRowCount(const QString &where, int rows);

    LibDORE *m_db;
    const QMetaObject *m_meta;
    Factory m_factory;
    std::unique_ptr<QSqlQuery> m_query;
    bool m_paging = false;
    int m_totalRows = 0;
    int m_page = 0;
    int m_pageSize = 1;
    int m_currentPosition = -1;
    QList<DORE_BaseObject *> m_items;
    QStringList m_allColumns;
    QStringList m_selectedColumns;
    QStringList m_onUseColumns;
    QString m_filter;
    QString m_order;
    int m_filteredRows = 0;
    bool m_child;
    QString m_foreignKeyName;
    QString m_foreignKeyValue;
};
