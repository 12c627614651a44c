#include "ReadBack.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

QByteArray ReadBack::contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QVariantList> ReadBack::rows(const QString &file, const QString &statement)
{
    const QString name = QStringLiteral("readback");
    QList<QVariantList> result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        QSqlQuery query(db);
        if (db.open() && query.exec(statement)) {
            while (query.next()) {
                result.append(QVariantList());
                for (int c = 0; c < query.record().count(); ++c)
                    result.last().append(query.value(c));
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}
