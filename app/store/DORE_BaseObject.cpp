#include "DORE_BaseObject.h"

#include "DoreSqlText.h"
#include "LibDORE.h"

#include <QMetaProperty>
#include <QSqlRecord>

using DoreSqlText::execLogged;
using DoreSqlText::fillPlaceholders;
using DoreSqlText::logFailure;
using DoreSqlText::quoted;
using DoreSqlText::removeColumn;
using DoreSqlText::valueText;

static QSqlQuery queryOn(LibDORE *db)
{
    return db ? QSqlQuery(db->database()) : QSqlQuery();
}

DORE_BaseObject::DORE_BaseObject(LibDORE *db, QObject *parent)
    : QObject(parent), m_db(db), m_query(queryOn(db))
{
}

void DORE_BaseObject::setID(int id)
{
    m_id = id;
    propertyChanged(QStringLiteral("ID"));
}

void DORE_BaseObject::propertyChanged(const QString &name)
{
    QString keyName, keyType;
    if (m_db)
        m_db->getKey(tableName(), keyName, keyType);
    if (name != keyName && isAttached())
        m_dirty = true;
    if (m_onUseColumns && m_onUseColumns->contains(name))
        m_onUseLoaded = true;
}

void DORE_BaseObject::attach(const QStringList *allColumns, const QStringList *selectedColumns,
                             const QStringList *onUseColumns)
{
    m_allColumns = allColumns;
    m_selectedColumns = selectedColumns;
    m_onUseColumns = onUseColumns;
}

void DORE_BaseObject::setColumnValues(const QSqlRecord &record)
{
    for (int i = 0; i < record.count(); ++i) {
        const QByteArray name = record.fieldName(i).toLatin1();
        QVariant value = record.value(i);
        const int index = metaObject()->indexOfProperty(name);
        if (record.isNull(i) && index >= 0)
            value = QVariant(metaObject()->property(index).userType(), nullptr);
        setProperty(name, value);
    }
}

QVariantMap DORE_BaseObject::copiedValues() const
{
    QVariantMap values;
    if (!m_db)
        return values;
    for (const QString &column : m_db->copiedColumns(tableName()))
        values.insert(column, property(column.toLatin1()));
    return values;
}

void DORE_BaseObject::setCopiedValues(const QVariantMap &values)
{
    for (auto value = values.cbegin(); value != values.cend(); ++value) {
        setProperty(value.key().toLatin1(), value.value());
        propertyChanged(value.key());
    }
}

QString DORE_BaseObject::tableName() const
{
    return QString::fromLatin1(metaObject()->className());
}

QString DORE_BaseObject::referenceKeyColumn() const
{
    return QStringLiteral("%1ID").arg(tableName());
}

QStringList DORE_BaseObject::valueTexts(const QStringList &names, const QStringList &types) const
{
    QStringList values;
    for (int i = 0; i < names.size(); ++i)
        values << valueText(property(names.at(i).toLatin1()), types.at(i));
    return values;
}

QString DORE_BaseObject::getSQl_Insert()
{
    QStringList names, types;
    if (!m_db || !m_db->getColumns(tableName(), names, types) || names.size() != types.size()
        || names.isEmpty()) {
        logFailure(QStringLiteral("DORE_BaseObject::getSQl_Insert GetObject_Column"),
                   {tableName()});
        return QString();
    }
    QStringList placeholders;
    for (int k = 0; k < names.size(); ++k)
        placeholders << quoted(QStringLiteral("%%1").arg(k + 1), types.at(k));
    // Values are filled into their own part only, so no table or column text is ever scanned.
    const QLatin1String comma(", ");
    return QStringLiteral("INSERT INTO %1 ( %2 ) VALUES ( ").arg(tableName(), names.join(comma))
           + fillPlaceholders(placeholders.join(comma), valueTexts(names, types))
           + QStringLiteral(" )");
}

QString DORE_BaseObject::keyCondition(const char *failurePrefix)
{
    QString keyName, keyType;
    if (!m_db || !m_db->getKey(tableName(), keyName, keyType)) {
        logFailure(QString::fromLatin1(failurePrefix), {tableName(), keyName});
        return QString();
    }
    const QString value = valueText(property(keyName.toLatin1()), keyType);
    return keyName + QStringLiteral(" = ") + quoted(value, keyType);
}

QString DORE_BaseObject::getSQL_Commit()
{
    QStringList names, types;
    if (!m_db || !m_db->getColumns(tableName(), names, types) || names.size() != types.size()) {
        logFailure(QStringLiteral("DORE_BaseObject::getSQL_Commit GetObject_Column"),
                   {tableName()});
        return QString();
    }
    if (!m_onUseLoaded && m_onUseColumns)
        for (const QString &column : *m_onUseColumns)
            removeColumn(names, types, column);
    QStringList assignments;
    for (int k = 0; k < names.size(); ++k)
        assignments << names.at(k) + QStringLiteral(" = ")
                           + quoted(QStringLiteral("%%1").arg(k + 1), types.at(k));
    const QString condition = keyCondition("DORE_BaseObject::getSQL_Commit GetObject_ID");
    if (condition.isEmpty())
        return QString();
    return QStringLiteral("UPDATE %1 SET ").arg(tableName())
           + fillPlaceholders(assignments.join(QLatin1String(", ")), valueTexts(names, types))
           + QStringLiteral(" WHERE ") + condition + QLatin1Char(' ');
}

QString DORE_BaseObject::getSQL_GetOnUse()
{
    const QString condition = keyCondition("DORE_BaseObject::getSQL_GetOnUse GetObject_ID");
    if (condition.isEmpty())
        return QString();
    const QStringList columns = m_onUseColumns ? *m_onUseColumns : QStringList();
    return QStringLiteral("SELECT %1 FROM %2 WHERE ")
               .arg(columns.join(QLatin1String(", ")), tableName())
           + condition;
}

void DORE_BaseObject::db_new()
{
    const QString statement = getSQl_Insert();
    if (statement.isEmpty())
        return;
    const QString who = QStringLiteral("DORE_BaseObject::db_new");
    if (!execLogged(m_query, who, statement)) {
        m_query.clear();
        return;
    }
    const bool keyRead = execLogged(m_query, who, QStringLiteral("select last_insert_rowid()"));
    QString keyName, keyType;
    if (keyRead && m_db->getKey(tableName(), keyName, keyType) && m_query.next())
        setProperty(keyName.toLatin1(), m_query.value(0));
    m_query.clear();
    m_dirty = false;
}

bool DORE_BaseObject::commit()
{
    if (!m_dirty)
        return true;
    const QString statement = getSQL_Commit();
    if (statement.isEmpty())
        return false;
    if (!execLogged(m_query, QStringLiteral("DORE_BaseObject::commit"), statement)) {
        m_query.clear();
        return false;
    }
    m_query.clear();
    m_dirty = false;
    return true;
}

void DORE_BaseObject::update()
{
    if (!m_onUseColumns || m_onUseColumns->isEmpty())
        return;
    const QString statement = getSQL_GetOnUse();
    if (statement.isEmpty())
        return;
    if (!execLogged(m_query, QStringLiteral("DORE_BaseObject::update"), statement)) {
        m_query.clear();
        return;
    }
    while (m_query.next())
        setColumnValues(m_query.record());
    m_query.clear();
    m_onUseLoaded = true;
}

void DORE_BaseObject::initReferences()
{
    if (m_referencesInitialised)
        return;
    QStringList children;
    if (m_db)
        m_db->getReferences(tableName(), children);
    for (const QString &child : children) {
        const int index = metaObject()->indexOfProperty(("REF_" + child).toLatin1());
        if (index >= 0)
            metaObject()->property(index).reset(this);
    }
    m_referencesInitialised = true;
}
