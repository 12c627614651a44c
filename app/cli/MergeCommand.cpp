#include "MergeCommand.h"

#include <QFileInfo>

#include "CliOperatorDialogs.h"
#include "CommandLine.h"
#include "LibDORE.h"
#include "ProjectMerge.h"
#include "ProjectSchema.h"

namespace {

const QString kCommand = QStringLiteral("merge");

bool openProject(LibDORE &db, const QString &path)
{
    QString problem;
    if (openProjectFile(db, QFileInfo(path).absoluteFilePath(), problem))
        return true;
    CommandLine::printError(kCommand, problem);
    return false;
}

} // namespace

int runMergeCommand(const QStringList &arguments)
{
    if (arguments.size() != 2) {
        CommandLine::printError(kCommand, QStringLiteral("usage: merge A B (B is merged into A)"));
        return 2;
    }
    if (QFileInfo(arguments[0]).canonicalFilePath() == QFileInfo(arguments[1]).canonicalFilePath()
        && QFileInfo(arguments[0]).exists()) {
        CommandLine::printError(kCommand, QStringLiteral("%1 and %2 are the same project file; a "
                                                         "project cannot be merged into itself")
                                              .arg(arguments[0], arguments[1]));
        return 2;
    }
    LibDORE a, b;
    if (!openProject(a, arguments[0]) || !openProject(b, arguments[1]))
        return 1;
    CliOperatorDialogs dialogs;
    return ProjectMerge(&dialogs).run(&a, &b) ? 0 : 1;
}
