#include "CurveCommand.h"

#include <QDir>
#include <QTextStream>

#include "CliProject.h"
#include "CommandLine.h"
#include "CurveTable.h"
#include "Data_Station.h"

namespace {

const QString kCommand = QStringLiteral("curve");

bool scalarTable(CliProject &project, const CliProject::StationRef &ref, QStringList &rows)
{
    const Data_Station *station = project.station(ref);
    const StationCurves c = station->storedCurves();
    if (station->HasResult() < 1 || c.scalarEmpty()) {
        project.error(QStringLiteral("%1 has no stored curves; run process first")
                          .arg(project.label(ref)));
        return false;
    }
    rows = CurveTable::scalarRows(c.exHy, c.eyHx, c.ex2Hy, c.multiPolarity, c.exHyBars, c.eyHxBars,
                                  c.ex2HyBars);
    return true;
}

bool tensorTable(CliProject &project, const CliProject::StationRef &ref, QStringList &rows)
{
    const float stationNum = project.station(ref)->StationNum();
    QList<StationTensorFiles::BandImpedance> records;
    if (StationTensorFiles::existing(stationNum).isEmpty()) {
        project.error(QStringLiteral("%1 has no tensor result file in %2/tensors")
                          .arg(project.label(ref), QDir::currentPath()));
        return false;
    }
    if (!StationTensorFiles::read(project.dialogs(), stationNum, records))
        return false;
    rows = CurveTable::tensorRows(records);
    return true;
}

} // namespace

int runCurveCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOptions({{QStringLiteral("line"), QStringLiteral("line number"), QStringLiteral("N")},
                       {QStringLiteral("station"), QStringLiteral("station number"), QStringLiteral("S")},
                       {QStringLiteral("tensor"), QStringLiteral("print the tensor results")}});
    if (!CommandLine::parse(parser, kCommand, arguments, 1))
        return 2;
    if (!parser.isSet(QStringLiteral("line")) || !parser.isSet(QStringLiteral("station"))) {
        CommandLine::printError(kCommand, QStringLiteral("--line and --station are required"));
        return 2;
    }
    CliProject project(kCommand);
    QList<CliProject::StationRef> selected;
    if (!project.open(parser.positionalArguments().first())
        || !project.selectStations(parser.value(QStringLiteral("line")),
                                   parser.value(QStringLiteral("station")), selected))
        return 1;
    QStringList rows;
    const bool found = parser.isSet(QStringLiteral("tensor"))
                           ? tensorTable(project, selected.first(), rows)
                           : scalarTable(project, selected.first(), rows);
    if (!found)
        return 1;
    QTextStream out(stdout);
    for (const QString &row : qAsConst(rows))
        out << row << '\n';
    return 0;
}
