#include "LibDORE.h"

#include "DoreSqlText.h"

#include <QMetaClassInfo>
#include <QMetaProperty>
#include <QSqlQuery>
#include <QSqlRecord>

using DoreSqlText::execLogged;
using DoreSqlText::logFailure;
using DoreSqlText::sqlTypeOf;

namespace {
const char kDb[] = "DB";
const char kKey[] = "DB_KEY";
const char kIndex[] = "DB_INDEX";
const char kReference[] = "DB_REFFENCE";

QString propertyType(const QMetaObject *meta, const char *name, bool *found)
{
    const int index = meta->indexOfProperty(name);
    *found = index >= 0;
    return *found ? sqlTypeOf(meta->property(index).userType()) : QString();
}
} // namespace

LibDORE::LibDORE(QObject *parent) : QObject(parent) {}

LibDORE::~LibDORE()
{
    if (m_database.isValid())
        logFailure(QStringLiteral("LibDORE::~LibDORE"), {m_connectionName});
    close();
}

void LibDORE::close()
{
    if (!m_database.isValid())
        return;
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
    m_connectionName.clear();
}

bool LibDORE::open(const QString &path)
{
    close();
    if (QSqlDatabase::contains(path)) {
        m_lastError = QSqlError(QStringLiteral("already open"), QString(),
                                QSqlError::ConnectionError);
        logFailure(QStringLiteral("LibDORE::open"), {path, m_lastError.databaseText()});
        return false;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), path);
        db.setDatabaseName(path);
        db.setHostName(QString());
        db.setPort(0);
        bool ok = db.open(QString(), QString());
        if (ok) {
            // SQLite opens lazily: reading the schema is what tells a database from other files.
            QSqlQuery probe(db);
            ok = probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
            m_lastError = ok ? QSqlError() : probe.lastError();
        } else {
            m_lastError = db.lastError();
        }
        if (ok) {
            m_database = db;
            m_connectionName = path;
            return true;
        }
        db.close();
    }
    logFailure(QStringLiteral("LibDORE::open"), {path}, &m_lastError);
    QSqlDatabase::removeDatabase(path);
    return false;
}

bool LibDORE::transaction()
{
    return m_database.transaction();
}

bool LibDORE::commit()
{
    if (m_database.commit())
        return true;
    const QSqlError error = m_database.lastError();
    logFailure(QStringLiteral("LibDORE::commit"), {m_connectionName}, &error);
    m_database.rollback();
    return false;
}

QString LibDORE::tableOf(const QMetaObject *meta)
{
    const QString name = QString::fromLatin1(meta->className());
    const int namespaceEnd = name.lastIndexOf(QLatin1String("::"));
    return namespaceEnd < 0 ? name : name.mid(namespaceEnd + 2);
}

void LibDORE::RegisterObject(const QMetaObject *meta)
{
    const QString table = tableOf(meta);
    QStringList names, types, references;
    QString keyName, keyType;
    for (int i = 0; i < meta->classInfoCount(); ++i) {
        const QMetaClassInfo info = meta->classInfo(i);
        const QString name = QString::fromLatin1(info.name());
        if (qstrcmp(info.value(), kReference) == 0)
            references << name;
        bool found = false;
        const QString type = propertyType(meta, info.name(), &found);
        if (!found)
            continue;
        if (qstrcmp(info.value(), kDb) == 0) {
            names << name;
            types << type;
        } else if (qstrcmp(info.value(), kKey) == 0) {
            DoreSqlText::removeColumn(names, types, name);
            keyName = name;
            keyType = type;
        }
    }
    m_metaObjects.insert(table, meta);
    m_keyNames.insert(table, keyName);
    m_keyTypes.insert(table, keyType);
    m_columnNames.insert(table, names);
    m_columnTypes.insert(table, types);
    m_references.insert(table, references);
    if (names.size() != types.size())
        return;

    const QStringList existing = tableColumns(table);
    if (existing.isEmpty()) {
        runInTransaction(creationStatements(meta), QStringLiteral("LibDORE::RegisterObject"));
        return;
    }
    QStringList additions;
    for (int i = 0; i < names.size(); ++i)
        if (!existing.contains(names.at(i)))
            additions << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                             .arg(table, names.at(i), types.at(i));
    if (!additions.isEmpty())
        runInTransaction(additions, QStringLiteral("LibDORE::RegisterObject"));
}

QStringList LibDORE::tableColumns(const QString &table) const
{
    QSqlQuery query(m_database);
    QStringList names;
    if (!query.exec(QStringLiteral("select * from %1 LIMIT 0").arg(table)))
        return names;
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    return names;
}

QStringList LibDORE::creationStatements(const QMetaObject *meta) const
{
    QStringList columns, indexed;
    QString keyName;
    for (int i = 0; i < meta->classInfoCount(); ++i) {
        const QMetaClassInfo info = meta->classInfo(i);
        bool found = false;
        propertyType(meta, info.name(), &found);
        if (!found)
            continue;
        if (qstrcmp(info.value(), kDb) == 0)
            columns << QString::fromLatin1(info.name());
        else if (qstrcmp(info.value(), kKey) == 0)
            keyName = QString::fromLatin1(info.name());
        else if (qstrcmp(info.value(), kIndex) == 0)
            indexed << QString::fromLatin1(info.name());
    }
    const QString table = tableOf(meta);
    QString body;
    for (int i = 0; i < columns.size(); ++i) {
        bool found = false;
        body += QStringLiteral("%1 %2 ").arg(columns.at(i),
                                             propertyType(meta, columns.at(i).toLatin1(), &found));
        if (columns.at(i) == keyName)
            body += QStringLiteral("NOT NULL PRIMARY KEY AUTOINCREMENT ");
        if (i + 1 < columns.size())
            body += QStringLiteral(", ");
    }
    QStringList statements{QStringLiteral("CREATE TABLE %1 (%2);").arg(table, body)};
    for (const QString &column : indexed)
        statements << QStringLiteral("CREATE INDEX IDX_%1_%2_ ON %1 ( %2 );").arg(table, column);
    return statements;
}

bool LibDORE::runInTransaction(const QStringList &statements, const QString &failurePrefix)
{
    if (!m_database.transaction()) {
        const QSqlError error = m_database.lastError();
        logFailure(failurePrefix, {statements.value(0)}, &error);
        return false;
    }
    QSqlQuery query(m_database);
    for (const QString &statement : statements) {
        if (!execLogged(query, failurePrefix, statement)) {
            query.clear();
            m_database.rollback();
            return false;
        }
    }
    query.clear();
    return commit();
}

bool LibDORE::getColumns(const QString &table, QStringList &names, QStringList &types) const
{
    if (!m_columnNames.contains(table) || !m_columnTypes.contains(table))
        return false;
    names = m_columnNames.value(table);
    types = m_columnTypes.value(table);
    return true;
}

bool LibDORE::getKey(const QString &table, QString &name, QString &type) const
{
    if (!m_keyNames.contains(table) || !m_keyTypes.contains(table))
        return false;
    name = m_keyNames.value(table);
    type = m_keyTypes.value(table);
    return !name.isEmpty();
}

bool LibDORE::getReferences(const QString &table, QStringList &classNames) const
{
    if (!m_references.contains(table))
        return false;
    classNames = m_references.value(table);
    return true;
}

QStringList LibDORE::copiedColumns(const QString &table) const
{
    QStringList columns = m_columnNames.value(table);
    for (auto parent = m_references.cbegin(); parent != m_references.cend(); ++parent)
        if (parent.value().contains(table))
            columns.removeAll(parent.key() + QStringLiteral("ID"));
    return columns;
}

const QMetaObject *LibDORE::registeredClass(const QString &table) const
{
    return m_metaObjects.value(table, nullptr);
}
