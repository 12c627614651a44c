#include "NewProjectFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include "Data_Project.h"
#include "LibDORE.h"
#include "ProjectSchema.h"

namespace {

bool writeProjectRow(LibDORE &db, const QString &name)
{
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

bool NewProjectFile::create(const QString &path, QString &error)
{
    if (QFileInfo::exists(path)) {
        error = QStringLiteral("文件 %1 已存在。").arg(path);
        return false;
    }
    bool written = false;
    {
        LibDORE db;
        if (db.open(path)) {
            registerProjectSchema(db);
            written = writeProjectRow(db, QFileInfo(path).completeBaseName());
        }
        if (!written)
            error = QStringLiteral("无法写入工程文件 %1：%2").arg(path, db.lastError().text());
    }
    if (!written)
        QFile::remove(path);
    return written;
}
