#include "ProjectSchema.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "DORE_Collection.h"
#include "Data_Line.h"
#include "Data_ProcessData.h"
#include "Data_Project.h"
#include "Data_SampleData.h"
#include "Data_Station.h"
#include "LibDORE.h"

namespace {

const QMetaObject *const kProjectClasses[] = {
    &Data_Project::staticMetaObject, &Data_Line::staticMetaObject,
    &Data_Station::staticMetaObject, &Data_SampleData::staticMetaObject,
    &Data_ProcessData::staticMetaObject};

// What table lacks to be a project table (itself, or its key column ID), or an empty string.
QString tableProblem(LibDORE &db, const QString &table)
{
    QSqlQuery query(db.database());
    if (!query.exec(QStringLiteral("SELECT * FROM \"%1\" LIMIT 0").arg(table))) {
        const QString reason = query.lastError().databaseText();
        return reason.contains(QLatin1String("no such table"))
                   ? QStringLiteral("the table %1").arg(table)
                   : QStringLiteral("a readable table %1 (%2)").arg(table, reason);
    }
    if (!query.record().contains(QStringLiteral("ID")))
        return QStringLiteral("the key column ID of the table %1").arg(table);
    return QString();
}

bool writeNewProject(LibDORE &db, const QString &name)
{
    registerProjectSchema(db);
    if (!projectFileProblem(db).isEmpty())
        return false;
    DORE_Collection<Data_Project> projects(&db);
    Data_Project *project = projects.appendNew().object;
    if (!project || project->ID() <= 0)
        return false;
    project->setProjectId(name);
    project->setProjectName(name);
    project->setProjectDate(int(QDateTime::currentSecsSinceEpoch()));
    return project->commit();
}

} // namespace

void registerProjectSchema(LibDORE &db)
{
    for (const QMetaObject *meta : kProjectClasses)
        db.RegisterObject(meta);
}

QString projectFileProblem(LibDORE &db)
{
    QStringList missing;
    for (const QMetaObject *meta : kProjectClasses)
        missing << tableProblem(db, QString::fromLatin1(meta->className()));
    missing.removeAll(QString());
    if (missing.isEmpty())
        return QString();
    return QStringLiteral("%1 is not a project file: it lacks %2")
        .arg(db.connectionName(), missing.join(QStringLiteral(", ")));
}

QStringList incompleteProjectTables(LibDORE &db)
{
    QStringList tables;
    for (const QMetaObject *meta : kProjectClasses) {
        const QString table = QString::fromLatin1(meta->className());
        if (!tableProblem(db, table).isEmpty())
            tables << table;
    }
    return tables;
}

bool openProjectFile(LibDORE &db, const QString &path, QString &problem)
{
    if (!QFileInfo(path).isFile()) {
        problem = QStringLiteral("the project file %1 does not exist").arg(path);
        return false;
    }
    if (!db.open(path)) {
        problem = QStringLiteral("cannot open %1 as a project database: %2")
                      .arg(path, db.lastError().text());
        return false;
    }
    problem = projectFileProblem(db);
    if (!problem.isEmpty()) {
        db.close();
        return false;
    }
    registerProjectSchema(db);
    return true;
}

bool createProjectFile(const QString &path, const QString &name, QString &problem)
{
    if (QFileInfo::exists(path)) {
        problem = QStringLiteral("%1 exists already; a new project needs a new file").arg(path);
        return false;
    }
    bool written = false;
    {
        LibDORE db;
        written = db.open(path) && writeNewProject(db, name);
        if (!written)
            problem = QStringLiteral("cannot create the project file %1: %2")
                          .arg(path, db.lastError().isValid() ? db.lastError().text()
                                                              : QStringLiteral("a write failed"));
    }
    if (!written)
        QFile::remove(path);
    return written;
}
