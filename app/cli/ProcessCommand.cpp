#include "ProcessCommand.h"

#include <QTextStream>

#include "CliProject.h"
#include "CommandLine.h"
#include "Data_ProcessData.h"
#include "Data_SampleData.h"
#include "Data_Station.h"
#include "ParallelFor.h"
#include "ProcessOptions.h"
#include "ProcessRun.h"
#include "StationTensorFiles.h"

namespace {

using StationRef = CliProject::StationRef;

const QString kCommand = QStringLiteral("process");

bool isUsed(Data_Station *station)
{
    return station && station->Use() != 0;
}

bool hasResultRows(Data_Station &station)
{
    DORE_Collection<Data_SampleData> *samples = station.REF_Data_SampleData();
    for (int r = 0; r < samples->count(); ++r) {
        Data_SampleData *sample = samples->at(r).object;
        if (sample && sample->Use() != 0 && sample->REF_Data_ProcessData()->count() > 0)
            return true;
    }
    return false;
}

// Shows the station (assembling and storing its curves when it has none) and says what it holds.
QString showStation(CliProject &project, const StationRef &ref)
{
    Data_Station *station = project.station(ref);
    if (!isUsed(station))
        return QStringLiteral("not used; left alone");
    QStringList parts;
    const bool stored = station->HasResult() > 0;
    if (stored || hasResultRows(*station)) {
        project.hub().showStation(ref.line, ref.station);
        parts << (stored ? QStringLiteral("stored curves kept")
                         : QStringLiteral("curves assembled from its recordings and stored"));
    } else {
        parts << QStringLiteral("no scalar curves");
    }
    const QString files = StationTensorFiles::existing(station->StationNum()).join(QStringLiteral(", "));
    if (!files.isEmpty())
        parts << QStringLiteral("tensor results in %1").arg(files);
    return parts.join(QStringLiteral("; "));
}

QList<StationRef> storedStations(CliProject &project, const QList<StationRef> &stations)
{
    QList<StationRef> stored;
    for (const StationRef &ref : stations)
        if (isUsed(project.station(ref)) && project.station(ref)->HasResult() > 0)
            stored.append(ref);
    return stored;
}

void printSummary(CliProject &project, const QList<StationRef> &stations,
                  const QList<StationRef> &kept)
{
    QTextStream out(stdout);
    for (const StationRef &ref : stations)
        out << project.label(ref) << ": " << showStation(project, ref) << '\n';
    if (kept.isEmpty())
        return;
    out << "\nThese stations already had stored curves, which may hold edits; they were left as "
           "they were (--rebuild recomputes them from the recordings):\n";
    for (const StationRef &ref : kept)
        out << "  " << project.label(ref) << '\n';
}

// The --remote-station (on --remote-line, else on --line) as the hub's remote reference; true
// when none is asked for. False (message printed) when it names no station or several.
bool selectRemote(CliProject &project, const QCommandLineParser &parser)
{
    const QString station = parser.value(QStringLiteral("remote-station"));
    if (station.isEmpty())
        return true;
    const QString line = parser.isSet(QStringLiteral("remote-line")) ? parser.value(QStringLiteral("remote-line"))
                                                                     : parser.value(QStringLiteral("line"));
    QList<StationRef> remote;
    if (!project.selectStations(line, station, remote))
        return false;
    if (remote.size() > 1) {
        project.error(QStringLiteral("station %1 is on several lines; name the remote one with --remote-line").arg(station));
        return false;
    }
    project.hub().setRemoteReference(remote.first().line, remote.first().station);
    return true;
}

} // namespace

int runProcessCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOptions({{QStringLiteral("line"), QStringLiteral("line number"), QStringLiteral("N")},
                       {QStringLiteral("station"), QStringLiteral("station number"), QStringLiteral("S")},
                       {QStringLiteral("rebuild"), QStringLiteral("clear the stations' curves first")},
                       {QStringLiteral("remote-station"),
                        QStringLiteral("remote reference station of the regression estimator"), QStringLiteral("S")},
                       {QStringLiteral("remote-line"), QStringLiteral("line of the remote station"), QStringLiteral("N")}});
    ProcessOptions::addTo(parser);
    if (!CommandLine::parse(parser, kCommand, arguments, 1))
        return 2;
    ProcessOptions options;
    QString error;
    if (!options.read(parser, error)) {
        CommandLine::printError(kCommand, error);
        return 2;
    }
    CliProject project(kCommand);
    QList<StationRef> stations;
    if (!project.open(parser.positionalArguments().first())
        || !project.selectStations(parser.value(QStringLiteral("line")),
                                   parser.value(QStringLiteral("station")), stations)
        || !selectRemote(project, parser))
        return 1;
    if (parser.isSet(QStringLiteral("remote-station")) && options.estimator != 7) {
        project.error(QStringLiteral("a remote reference needs --estimator regression"));
        return 2;
    }
    const bool rebuild = parser.isSet(QStringLiteral("rebuild"));
    const QList<StationRef> kept = rebuild ? QList<StationRef>() : storedStations(project, stations);
    ParallelFor::setThreadCount(options.threads);
    project.hub().onRecalculateChanged(options.settings);
    project.hub().on_slot_StackMethodChanged(options.estimator);
    ProcessRun run(project, rebuild);
    run.process(stations);
    if (run.cancelledAt() > 0) {
        project.error(QStringLiteral("cancelled at recording %1 of %2, which stored nothing: %3 and "
                                     "the stations after it were left as they were; the stations "
                                     "before it keep their results")
                          .arg(run.cancelledAt()).arg(run.recordingCount()).arg(run.cancelledStation()));
        return 1;
    }
    printSummary(project, stations, kept);
    if (run.failures() == 0)
        return 0;
    project.error(QStringLiteral("%1 of %2 recordings failed; see the warnings above")
                      .arg(run.failures()).arg(run.recordingCount()));
    return 1;
}
