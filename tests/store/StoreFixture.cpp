#include "StoreFixture.h"

#include "ProjectSchema.h"

#include <QSqlQuery>

std::unique_ptr<LibDORE> openProject(const QString &path)
{
    auto db = std::make_unique<LibDORE>();
    if (!db->open(path))
        return nullptr;
    registerProjectSchema(*db);
    return db;
}

QVariantList rawValues(LibDORE &db, const QString &sql)
{
    QSqlQuery query(db.database());
    QVariantList values;
    if (!query.exec(sql))
        return values;
    while (query.next())
        values << query.value(0);
    return values;
}

QVariant rawValue(LibDORE &db, const QString &sql)
{
    return rawValues(db, sql).value(0);
}

bool rawExec(LibDORE &db, const QString &sql)
{
    QSqlQuery query(db.database());
    return query.exec(sql);
}

QStringList rawColumns(LibDORE &db, const QString &table)
{
    QSqlQuery query(db.database());
    QStringList columns;
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
        return columns;
    while (query.next())
        columns << query.value(1).toString() + QLatin1Char(' ') + query.value(2).toString();
    return columns;
}
