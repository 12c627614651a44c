#include "NewProjectFile.h"

#include <QFileInfo>

#include "ProjectSchema.h"

bool NewProjectFile::create(const QString &path, QString &error)
{
    return createProjectFile(path, QFileInfo(path).completeBaseName(), error);
}
