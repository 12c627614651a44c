#include "DORE_CollectionBase.h"

#include "DORE_BaseObject.h"
#include "DoreSqlText.h"
#include "LibDORE.h"

#include <QMetaClassInfo>
#include <QSqlRecord>

using DoreSqlText::execLogged;

static std::unique_ptr<QSqlQuery> newQuery(LibDORE *db)
{
    return std::make_unique<QSqlQuery>(db ? db->database() : QSqlDatabase());
}

DORE_CollectionBase::DORE_CollectionBase(LibDORE *db, const QMetaObject *meta, Factory factory)
    : m_db(db), m_meta(meta), m_factory(factory),
      m_query(newQuery(db)), m_child(false)
{
    initColumns();
    loadTable(QString(), QString());
}

DORE_CollectionBase::DORE_CollectionBase(LibDORE *db, const QMetaObject *meta, Factory factory,
                                         const QString &foreignKeyName,
                                         const QString &foreignKeyValue)
    : m_db(db), m_meta(meta), m_factory(factory),
      m_query(newQuery(db)),
      m_filter(foreignKeyName + QStringLiteral(" = ") + foreignKeyValue), m_child(true),
      m_foreignKeyName(foreignKeyName), m_foreignKeyValue(foreignKeyValue)
{
    initColumns();
    loadTable(m_filter, QString());
}

DORE_CollectionBase::~DORE_CollectionBase()
{
    qDeleteAll(m_items);
}

QString DORE_CollectionBase::tableName() const
{
    return QString::fromLatin1(m_meta->className());
}

void DORE_CollectionBase::initColumns()
{
    for (int i = 0; i < m_meta->classInfoCount(); ++i) {
        const QMetaClassInfo info = m_meta->classInfo(i);
        if (qstrcmp(info.value(), "DB") == 0)
            m_allColumns << QString::fromLatin1(info.name());
        else if (qstrcmp(info.value(), "DB_GetOnUse") == 0)
            m_onUseColumns << QString::fromLatin1(info.name());
    }
    addRegisteredColumns();
    for (const QString &column : qAsConst(m_allColumns))
        if (!m_onUseColumns.contains(column))
            m_selectedColumns << column;
}

void DORE_CollectionBase::addRegisteredColumns()
{
    QStringList names, types;
    if (!m_db || !m_db->getColumns(tableName(), names, types))
        return;
    for (const QString &name : qAsConst(names))
        if (!m_allColumns.contains(name))
            m_allColumns << name;
}

int DORE_CollectionBase::count() const
{
    return m_filter.isEmpty() ? m_totalRows : m_filteredRows;
}

void DORE_CollectionBase::setRowCount(const QString &where, int rows)
{
    if (where.isEmpty())
        m_totalRows = rows;
    else
        m_filteredRows = rows;
}

void DORE_CollectionBase::setPaging(bool enabled, int pageSize)
{
    m_paging = enabled;
    m_pageSize = qMax(1, pageSize);
}

void DORE_CollectionBase::reload()
{
    loadTable(m_filter, m_order);
}

void DORE_CollectionBase::loadTable(const QString &where, const QString &order)
{
    qDeleteAll(m_items);
    m_items.clear();
    m_filter = where;
    m_order = order;
    QString statement = QStringLiteral("SELECT COUNT(*) AS TOTALROWS FROM ") + tableName();
    if (!where.isEmpty())
        statement += QStringLiteral(" WHERE ") + where;
    // A failed count leaves the collection empty, so at() never reaches past the loaded objects.
    setRowCount(where, 0);
    if (!execLogged(*m_query, QStringLiteral("loadTable"), statement)) {
        m_query->clear();
        return;
    }
    while (m_query->next())
        setRowCount(where, m_query->record().value(QStringLiteral("TOTALROWS")).toInt());
    m_query->clear();
    const int rows = count();
    if (rows == 0)
        return;
    QString limitClause;
    if (m_paging) {
        int offset = m_pageSize * m_page;
        if (offset >= rows) {
            m_page = (rows - 1) / m_pageSize;
            offset = m_pageSize * m_page;
        }
        limitClause = QStringLiteral("LIMIT %1 OFFSET %2").arg(m_pageSize).arg(offset);
    }
    query(m_selectedColumns, where, limitClause, order);
}

void DORE_CollectionBase::query(const QStringList &columns, const QString &where,
                                const QString &limitClause, const QString &order)
{
    QStringList parts{QStringLiteral("SELECT"),
                      columns.isEmpty() ? QStringLiteral("*") : columns.join(QLatin1String(", ")),
                      QStringLiteral("FROM"), tableName()};
    if (!where.isEmpty())
        parts << QStringLiteral("WHERE") << where;
    // ORDER BY must precede LIMIT for SQLite to accept both.
    if (!order.isEmpty())
        parts << QStringLiteral("ORDER BY") << order;
    if (!limitClause.isEmpty())
        parts << limitClause;
    const QString statement = parts.join(QLatin1Char(' '));
    if (!execLogged(*m_query, QStringLiteral("DORE_Collection Query :"), statement)) {
        m_query->clear();
        return;
    }
    while (m_query->next()) {
        DORE_BaseObject *object = m_factory(m_db);
        object->setColumnValues(m_query->record());
        object->attach(&m_allColumns, &m_selectedColumns, &m_onUseColumns);
        m_items.append(object);
    }
    m_query->clear();
}

DORE_BaseObject *DORE_CollectionBase::objectAt(int position, int *validPosition)
{
    *validPosition = -1;
    if (position < 0 || position >= count())
        return nullptr;
    int index = position;
    if (m_paging) {
        const int first = m_page * m_pageSize;
        if (position < first || position >= first + m_pageSize) {
            m_page = position / m_pageSize;
            reload();
        }
        index = position - m_page * m_pageSize;
    }
    if (index >= m_items.size())
        return nullptr;
    *validPosition = position;
    m_currentPosition = position;
    return m_items.at(index);
}

int DORE_CollectionBase::appendNewObject()
{
    DORE_BaseObject *object = m_factory(m_db);
    if (m_child) {
        object->setProperty(m_foreignKeyName.toLatin1(), m_foreignKeyValue);
    } else if (!m_filter.isEmpty()) {
        m_page = 0;
        loadTable(QString(), QString());
    }
    object->db_new();
    object->initReferences();
    object->attach(&m_allColumns, &m_selectedColumns, &m_onUseColumns);
    const int position = count();
    setRowCount(m_filter, position + 1);
    m_currentPosition = position;
    m_items.append(object);
    return position;
}
