#include "LineCommandSupport.h"

#include <QFileInfo>

#include "CliProject.h"

namespace LineCommandSupport {

int linePosition(CliProject &project, const QString &lineText)
{
    QList<CliProject::StationRef> stations;
    if (!project.selectStations(lineText, QString(), stations))
        return -1;
    return stations.first().line;
}

QString absolute(const QString &path)
{
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

int exitCode(CliProject &project, bool succeeded)
{
    return succeeded && project.dialogs().problemCount() == 0 ? 0 : 1;
}

} // namespace LineCommandSupport
