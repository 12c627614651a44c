#pragma once
// Base class of every project entity. An entity's columns are Qt properties, declared as columns
// by class-information entries: "DB" (a column, in declaration order), "DB_KEY" (the key),
// "DB_INDEX" (indexed on creation), "DB_GetOnUse" (loaded on demand by update) and, with a child
// class name as the entry's name, "DB_REFFENCE" (a child table holding "<ThisClass>ID"). Each
// child class has a property "REF_<Child>" holding the child collection, built lazily.
//
// Every setter of a subclass stores its value and then calls propertyChanged with its own name.

#include <QObject>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantMap>

class LibDORE;
class QSqlRecord;

class DORE_BaseObject : public QObject {
    Q_OBJECT
    Q_CLASSINFO("ID", "DB")
    Q_CLASSINFO("ID", "DB_KEY")
    Q_CLASSINFO("ID", "DB_INDEX")
    Q_PROPERTY(int ID READ ID WRITE setID)
public:
    explicit DORE_BaseObject(LibDORE *db, QObject *parent = nullptr);

    int ID() const { return m_id; }
    void setID(int id);

    // Marks an attached object dirty when name is not the key; notes a loaded on-use column.
    void propertyChanged(const QString &name);
    // Ties the object to the column lists of the collection that holds it.
    void attach(const QStringList *allColumns, const QStringList *selectedColumns,
                const QStringList *onUseColumns);
    // Sets the property named like each field of record to the field's value; a NULL field (a
    // column added to an older file after the row was written) sets the zero value of the type.
    void setColumnValues(const QSqlRecord &record);
    // The values of the columns a copy of the row carries (LibDORE::copiedColumns), by name.
    QVariantMap copiedValues() const;
    // Sets the property named by each entry of values (not committed).
    void setCopiedValues(const QVariantMap &values);
    bool isAttached() const { return m_allColumns != nullptr; }
    bool isDirty() const { return m_dirty; }
    bool isOnUseLoaded() const { return m_onUseLoaded; }

    // Inserts the object as a new row and takes the generated key.
    void db_new();
    // Writes the object back when it is dirty. True when nothing needed writing or the write
    // succeeded.
    bool commit();
    // Loads the on-use columns of the object's row.
    void update();
    // Creates the child collections (once per object).
    void initReferences();

    QString getSQl_Insert();
    QString getSQL_Commit();
    QString getSQL_GetOnUse();

protected:
    LibDORE *db() const { return m_db; }
    // The column by which child rows point at this row: the class name followed by "ID".
    QString referenceKeyColumn() const;

private:
    QString tableName() const;
    QString keyCondition(const char *failurePrefix);
    QStringList valueTexts(const QStringList &names, const QStringList &types) const;

    LibDORE *m_db;
    int m_id = 0;
    QSqlQuery m_query;
    bool m_dirty = false;
    bool m_onUseLoaded = false;
    bool m_referencesInitialised = false;
    const QStringList *m_allColumns = nullptr;
    const QStringList *m_selectedColumns = nullptr;
    const QStringList *m_onUseColumns = nullptr;
};
