#pragma once
// The recomputation of the process command. Every used recording of the chosen used stations is
// gathered on this thread, which owns the database, in station order; the recordings are computed
// on the pool's threads, several at once; this thread stores them in the same order, a station at
// a time once all of its recordings are computed, so the project file comes out the same for any
// number of threads. With rebuild, a station's curves are cleared just before its recordings are
// stored. Once the command's feedback is cancelled (Ctrl+C) nothing more is stored: the stations
// stored before keep their results whole and the others are left as they were. The stores go
// through a StoreJournal kept until the run is destroyed, so that the stations' curves assembled
// after it are stored the same way.

#include <QList>
#include <memory>
#include <vector>

#include "CliProject.h"
#include "RecordingTask.h"
#include "StoreJournal.h"

class ProcessRun {
public:
    // The hub's settings and estimator are those the recordings are computed with.
    ProcessRun(CliProject &project, bool rebuild);
    // Waits for computations still running (after a cancellation).
    ~ProcessRun();
    ProcessRun(const ProcessRun &) = delete;
    ProcessRun &operator=(const ProcessRun &) = delete;

    void process(const QList<CliProject::StationRef> &stations);

    int recordingCount() const { return recordings; }
    int failures() const { return failed; }
    // After a cancelled run: the number (from 1) of the first recording not stored and its
    // station's label; 0 and empty otherwise.
    int cancelledAt() const { return firstUnstored; }
    QString cancelledStation() const { return unstoredStation; }

private:
    struct StationWork {
        CliProject::StationRef ref;
        std::vector<std::unique_ptr<RecordingTask>> recordings;
    };

    void gather(const QList<CliProject::StationRef> &stations);
    std::unique_ptr<RecordingTask> gatherRecording(const CliProject::StationRef &ref, int position);
    // Waits for the station's recordings and stores them; false (nothing stored) when the run
    // was cancelled meanwhile.
    bool storeStation(StationWork &station);
    void cancelFrom(size_t first);
    void waitForAll();

    CliProject &project;
    bool rebuild;
    StoreJournal journal;
    std::vector<StationWork> queue;
    int recordings = 0;
    int gathered = 0;
    int failed = 0;
    int firstUnstored = 0;
    QString unstoredStation;
};
