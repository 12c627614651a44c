#include "StoreJournal.h"

#include <QSqlQuery>
#include <QVariant>

StoreJournal::StoreJournal(const QSqlDatabase &database) : database(database) {}

StoreJournal::~StoreJournal()
{
    if (!switched)
        return;
    pragma(QStringLiteral("PRAGMA journal_mode = %1").arg(journalMode));
    pragma(QStringLiteral("PRAGMA synchronous = %1").arg(syncLevel));
}

void StoreJournal::beginStoring()
{
    if (switched || !database.isOpen())
        return;
    journalMode = pragma(QStringLiteral("PRAGMA journal_mode"));
    syncLevel = pragma(QStringLiteral("PRAGMA synchronous"));
    if (journalMode.isEmpty() || syncLevel.isEmpty())
        return;
    switched = pragma(QStringLiteral("PRAGMA journal_mode = WAL")).compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0;
    if (switched)
        pragma(QStringLiteral("PRAGMA synchronous = NORMAL"));
}

QString StoreJournal::pragma(const QString &statement) const
{
    QSqlQuery query(database);
    if (!query.exec(statement) || !query.next())
        return QString();
    return query.value(0).toString();
}
