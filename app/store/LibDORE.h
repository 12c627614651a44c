#pragma once
// One open project database file and the registry of the entity classes mapped onto its tables.
// Entities (DORE_BaseObject subclasses) declare their columns with class-information tags; the
// registry keeps, per class name, the key column, the ordered non-key columns with their SQL types
// and the child classes. Failures are reported by results and debug lines only.

#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>

class LibDORE : public QObject {
    Q_OBJECT
public:
    explicit LibDORE(QObject *parent = nullptr);
    ~LibDORE() override;

    // Opens the SQLite file at path under a connection named by the path. Fails (false, no
    // connection left behind) when the driver cannot open it, when the file is not a database, or
    // when another LibDORE already holds a connection to the same path.
    bool open(const QString &path);
    // The driver error of the last failed open.
    QSqlError lastError() const { return m_lastError; }
    QString connectionName() const { return m_connectionName; }

    // Registers an entity class and creates its table, or adds the columns the table lacks. A
    // later registration under the same table replaces the earlier one, so a class derived from an
    // entity (a later version of it, in a namespace of its own) can add columns to its table.
    void RegisterObject(const QMetaObject *metaObject);
    // The table of an entity class: its class name without namespace.
    static QString tableOf(const QMetaObject *metaObject);

    bool transaction();
    // Commits; on failure rolls back and logs "LibDORE::commit".
    bool commit();
    QSqlDatabase database() const { return m_database; }

    bool getColumns(const QString &table, QStringList &names, QStringList &types) const;
    bool getKey(const QString &table, QString &name, QString &type) const;
    bool getReferences(const QString &table, QStringList &classNames) const;
    // The registered non-key columns of table that a copy of a row carries into another parent:
    // all but the columns pointing at a parent row ("<Parent>ID" of every registered class that
    // lists table among its children). Empty for a table not registered.
    QStringList copiedColumns(const QString &table) const;
    // The meta object registered under table, or null.
    const QMetaObject *registeredClass(const QString &table) const;

    // Closes the open file, if any, and removes its connection.
    void close();

private:
    QStringList creationStatements(const QMetaObject *metaObject) const;
    QStringList tableColumns(const QString &table) const;
    bool runInTransaction(const QStringList &statements, const QString &failurePrefix);

    QString m_connectionName;
    QSqlDatabase m_database;
    QSqlError m_lastError;

    QHash<QString, const QMetaObject *> m_metaObjects;
    QHash<QString, QString> m_keyNames;
    QHash<QString, QString> m_keyTypes;
    QHash<QString, QStringList> m_columnNames;
    QHash<QString, QStringList> m_columnTypes;
    QHash<QString, QStringList> m_references;
};
