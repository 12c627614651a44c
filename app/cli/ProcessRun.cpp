#include "ProcessRun.h"

#include "Data_SampleData.h"
#include "Data_Station.h"

namespace {

bool isUsed(const Data_SampleData *sample)
{
    return sample && sample->Use() != 0;
}

} // namespace

ProcessRun::ProcessRun(CliProject &project, bool rebuild)
    : project(project), rebuild(rebuild), journal(project.database())
{
}

ProcessRun::~ProcessRun()
{
    for (StationWork &station : queue)
        for (const std::unique_ptr<RecordingTask> &task : station.recordings)
            task->cancel();
    waitForAll();
}

void ProcessRun::process(const QList<CliProject::StationRef> &stations)
{
    project.feedback().catchInterrupt();
    gather(stations);
    int stored = 0;
    for (size_t s = 0; s < queue.size(); ++s) {
        if (!storeStation(queue[s])) {
            firstUnstored = stored + 1;
            unstoredStation = project.label(queue[s].ref);
            cancelFrom(s);
            return;
        }
        stored += int(queue[s].recordings.size());
    }
}

void ProcessRun::gather(const QList<CliProject::StationRef> &stations)
{
    for (const CliProject::StationRef &ref : stations) {
        Data_Station *station = project.station(ref);
        if (!station || station->Use() == 0)
            continue;
        queue.push_back({ref, {}});
        DORE_Collection<Data_SampleData> *samples = station->REF_Data_SampleData();
        for (int r = 0; r < samples->count(); ++r)
            recordings += isUsed(samples->at(r).object) ? 1 : 0;
    }
    for (StationWork &station : queue) {
        DORE_Collection<Data_SampleData> *samples = project.station(station.ref)->REF_Data_SampleData();
        for (int r = 0; r < samples->count(); ++r)
            if (isUsed(samples->at(r).object))
                station.recordings.push_back(gatherRecording(station.ref, r));
    }
}

std::unique_ptr<RecordingTask> ProcessRun::gatherRecording(const CliProject::StationRef &ref,
                                                           int position)
{
    Data_SampleData *sample = project.station(ref)->REF_Data_SampleData()->at(position).object;
    const QString label = QStringLiteral("[%1/%2] %3, recording %4 (%5 Hz)")
                              .arg(++gathered).arg(recordings).arg(project.label(ref))
                              .arg(sample->SampleDataNum()).arg(sample->SampleRate());
    auto task = std::make_unique<RecordingTask>(label, project.feedback());
    if (project.hub().prepareRecording(ref.line, ref.station, position, task->work))
        task->start();
    return task;
}

bool ProcessRun::storeStation(StationWork &station)
{
    for (const std::unique_ptr<RecordingTask> &task : station.recordings)
        task->wait();
    if (project.feedback().isCancelled())
        return false;
    journal.beginStoring();
    if (rebuild)
        project.hub().clearStation(station.ref.line, station.ref.station);
    for (const std::unique_ptr<RecordingTask> &task : station.recordings) {
        const bool stored = project.hub().storeRecording(task->work, task->outcome());
        failed += stored ? 0 : 1;
        task->finish(stored ? QStringLiteral("done") : QStringLiteral("failed"));
    }
    return true;
}

void ProcessRun::cancelFrom(size_t first)
{
    for (size_t s = first; s < queue.size(); ++s)
        for (const std::unique_ptr<RecordingTask> &task : queue[s].recordings)
            task->cancel();
    waitForAll();
    for (const std::unique_ptr<RecordingTask> &task : queue[first].recordings)
        task->finish(QStringLiteral("cancelled"));
}

void ProcessRun::waitForAll()
{
    for (StationWork &station : queue)
        for (const std::unique_ptr<RecordingTask> &task : station.recordings)
            task->wait();
}
