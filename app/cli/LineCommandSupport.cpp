#include "LineCommandSupport.h"

#include <QFileInfo>
#include <QTextStream>
#include <algorithm>
#include <cmath>

#include "CliProject.h"

namespace LineCommandSupport {

namespace {

QString summary(const QList<DataType_ResultData> &section)
{
    if (section.isEmpty())
        return QStringLiteral("no columns");
    int layers = 0;
    double deepest = 0.0, lowest = HUGE_VAL, highest = -HUGE_VAL;
    for (const DataType_ResultData &column : section) {
        layers = std::max(layers, int(column.value.size()));
        for (double depth : column.depth)
            deepest = std::min(deepest, depth);
        for (double value : column.value) {
            lowest = std::min(lowest, value);
            highest = std::max(highest, value);
        }
    }
    if (layers == 0)
        return QStringLiteral("%1 columns without layers").arg(section.size());
    return QStringLiteral("%1 columns at positions %2 to %3, %4 layers down to %5 m, "
                          "resistivity %6 to %7 ohm-m")
        .arg(section.size()).arg(section.first().position).arg(section.last().position).arg(layers)
        .arg(-deepest).arg(lowest, 0, 'g', 4).arg(highest, 0, 'g', 4);
}

} // namespace

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

int writeSection(CliProject &project, const QString &path)
{
    TreeModel_Index &hub = project.hub();
    const bool written = hub.exportSection(path);
    if (written)
        QTextStream(stdout) << "Section: " << summary(hub.latestSection()) << "; written to "
                            << QFileInfo(path).absoluteFilePath() << '\n';
    return exitCode(project, written);
}

} // namespace LineCommandSupport
