#pragma once
// One recording of a process run: its work is gathered on the database thread, computed on a
// thread of the process's pool (Qt's global pool, which ParallelFor sizes) and handed back to the
// database thread to be stored.

#include <QElapsedTimer>
#include <QSemaphore>

#include "RecordingProcessing.h"
#include "RecordingProgress.h"

class RecordingTask {
public:
    // command is the run's feedback, whose cancellation the computation follows.
    RecordingTask(const QString &label, const WorkFeedback &command);
    RecordingTask(const RecordingTask &) = delete;
    RecordingTask &operator=(const RecordingTask &) = delete;

    RecordingProcessing::Work work;

    // Queues the computation of work on the pool; a task not started counts as ended.
    void start();
    // Blocks until the computation has ended.
    void wait();
    // Asks the computation to stop at its next step (or not to begin).
    void cancel() { progress.cancel(); }
    const RecordingProcessing::Outcome &outcome() const { return result; }
    // Shows the recording's last line with outcome and the seconds its computation took.
    void finish(const QString &outcome);

private:
    void compute();

    const WorkFeedback &command;
    RecordingProgress progress;
    RecordingProcessing::Outcome result;
    QSemaphore ended;
    bool started = false;
    qint64 computeMs = 0;
};
