#pragma once
// Shared by the store tests: projects opened through the object-relational layer, raw SQL looks past it,
// the check that a failure was logged with its prefix, and a small entity with a column loaded on use.

#include "DORE_BaseObject.h"
#include "LibDORE.h"
#include "ProjectSchema.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QtTest>
#include <memory>

// Opens path with a new LibDORE and registers the five project classes; null when open fails.
inline std::unique_ptr<LibDORE> openProject(const QString &path)
{
    auto db = std::make_unique<LibDORE>();
    if (!db->open(path))
        return nullptr;
    registerProjectSchema(*db);
    return db;
}

// The first column of every row of sql, read past the object-relational layer.
inline QVariantList rawValues(LibDORE &db, const QString &sql)
{
    QSqlQuery query(db.database());
    QVariantList values;
    query.exec(sql);
    while (query.next())
        values << query.value(0);
    return values;
}

inline QVariant rawValue(LibDORE &db, const QString &sql) { return rawValues(db, sql).value(0); }
inline bool rawExec(LibDORE &db, const QString &sql) { return QSqlQuery(db.database()).exec(sql); }

// A debug line starting with prefix must follow before the test ends, or the test fails.
inline void expectLog(const QString &prefix)
{
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^" + QRegularExpression::escape(prefix)));
}

class Test_Parent : public DORE_BaseObject {
    Q_OBJECT
    Q_CLASSINFO("Name", "DB")
    Q_CLASSINFO("Extra", "DB")
    Q_CLASSINFO("Extra", "DB_GetOnUse")
    Q_PROPERTY(QString Name READ Name WRITE setName)
    Q_PROPERTY(QString Extra READ Extra WRITE setExtra)
public:
    explicit Test_Parent(LibDORE *db) : DORE_BaseObject(db) {}
    QString Name() const { return m_name; }
    void setName(const QString &v) { m_name = v; propertyChanged("Name"); }
    QString Extra() const { return m_extra; }
    void setExtra(const QString &v) { m_extra = v; propertyChanged("Extra"); }

private:
    QString m_name, m_extra;
};
