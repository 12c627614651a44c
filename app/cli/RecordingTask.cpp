#include "RecordingTask.h"

#include "ParallelFor.h"

RecordingTask::RecordingTask(const QString &label, const WorkFeedback &command)
    : command(command), progress(label, command)
{
}

void RecordingTask::start()
{
    started = true;
    ParallelFor::startJob([this] { compute(); });
}

void RecordingTask::compute()
{
    if (command.isCancelled())
        progress.cancel();
    QElapsedTimer timer;
    timer.start();
    result = RecordingProcessing::compute(work, progress);
    computeMs = timer.elapsed();
    ended.release();
}

void RecordingTask::wait()
{
    if (started)
        ended.acquire();
    started = false;
}

void RecordingTask::finish(const QString &outcome)
{
    progress.finish(outcome + QStringLiteral(" (%1 s)").arg(computeMs / 1000.0, 0, 'f', 1));
}
