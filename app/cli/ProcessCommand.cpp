#include "ProcessCommand.h"

#include <QElapsedTimer>
#include <QTextStream>

#include "CliProject.h"
#include "CommandLine.h"
#include "Data_ProcessData.h"
#include "Data_SampleData.h"
#include "Data_Station.h"
#include "ProcessOptions.h"
#include "StationTensorFiles.h"

namespace {

using StationRef = CliProject::StationRef;

const QString kCommand = QStringLiteral("process");

struct Run {
    CliProject &project;
    const ProcessOptions &options;
    int recordingCount = 0;
    int done = 0;
    int failures = 0;
};

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

int usedRecordingCount(CliProject &project, const QList<StationRef> &stations)
{
    int count = 0;
    for (const StationRef &ref : stations) {
        Data_Station *station = project.station(ref);
        if (!isUsed(station))
            continue;
        DORE_Collection<Data_SampleData> *samples = station->REF_Data_SampleData();
        for (int r = 0; r < samples->count(); ++r)
            count += samples->at(r).object && samples->at(r).object->Use() != 0;
    }
    return count;
}

void processRecording(Run &run, const StationRef &ref, int position, Data_SampleData &sample)
{
    ConsoleFeedback &feedback = run.project.feedback();
    feedback.begin(QStringLiteral("[%1/%2] %3, recording %4 (%5 Hz)")
                       .arg(++run.done).arg(run.recordingCount).arg(run.project.label(ref))
                       .arg(sample.SampleDataNum()).arg(sample.SampleRate()));
    QElapsedTimer timer;
    timer.start();
    TreeModel_Index &hub = run.project.hub();
    hub.onRecalculateChanged(run.options.settings);
    hub.on_slot_StackMethodChanged(run.options.estimator);
    const bool processed = hub.openRecording(ref.line, ref.station, position);
    run.failures += processed ? 0 : 1;
    feedback.end(feedback.outcome(processed)
                 + QStringLiteral(" (%1 s)").arg(timer.elapsed() / 1000.0, 0, 'f', 1));
}

void processStations(Run &run, const QList<StationRef> &stations)
{
    run.recordingCount = usedRecordingCount(run.project, stations);
    for (const StationRef &ref : stations) {
        Data_Station *station = run.project.station(ref);
        if (!isUsed(station))
            continue;
        DORE_Collection<Data_SampleData> *samples = station->REF_Data_SampleData();
        for (int r = 0; r < samples->count(); ++r) {
            Data_SampleData *sample = samples->at(r).object;
            if (run.project.feedback().isCancelled())
                return;
            if (sample && sample->Use() != 0)
                processRecording(run, ref, r, *sample);
        }
    }
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
    QList<StationRef> kept;
    if (parser.isSet(QStringLiteral("rebuild"))) {
        for (const StationRef &ref : qAsConst(stations))
            project.hub().clearStation(ref.line, ref.station);
    } else {
        kept = storedStations(project, stations);
    }
    Run run{project, options};
    processStations(run, stations);
    if (project.feedback().isCancelled()) {
        project.error(QStringLiteral("cancelled at recording %1 of %2, which stored nothing; the "
                                     "recordings before it keep their results")
                          .arg(run.done).arg(run.recordingCount));
        return 1;
    }
    printSummary(project, stations, kept);
    if (run.failures == 0)
        return 0;
    project.error(QStringLiteral("%1 of %2 recordings failed; see the warnings above")
                      .arg(run.failures).arg(run.recordingCount));
    return 1;
}
