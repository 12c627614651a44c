#include "ParallelFor.h"

#include <QSemaphore>
#include <QtGlobal>
#include <QThreadPool>

#include <algorithm>
#include <atomic>

namespace ParallelFor {

namespace {

// Whether the calling thread is taking jobs of a run. A run started from inside a job (the
// hand-over of a batch while the next one is read) takes its jobs on the calling thread: the
// other threads are at work on the outer run, and waking helpers for every short inner run costs
// more than it gains.
thread_local bool insideJob = false;
// Whether the calling thread runs a task started with startJob(): one of several recordings
// computed side by side, whose runs get helpers only from threads left idle.
thread_local bool insideTask = false;

// Takes the run's jobs until none is left.
void takeJobs(int count, std::atomic<int> &next, const std::function<void(int job)> &job)
{
    const bool outer = !insideJob;
    insideJob = true;
    for (int i = next++; i < count; i = next++)
        job(i);
    insideJob = !outer;
}

} // namespace

void run(int count, const std::function<void(int job)> &job)
{
    QThreadPool *pool = QThreadPool::globalInstance();
    const int wanted = insideJob ? 0 : std::min(count, pool->maxThreadCount()) - 1;
    std::atomic<int> next{0};
    QSemaphore finished;
    int helpers = 0;
    while (helpers < wanted && pool->tryStart([&] {
        takeJobs(count, next, job);
        finished.release();
    }))
        ++helpers;
    takeJobs(count, next, job);
    finished.acquire(helpers);
}

void runRanges(int count, const std::function<void(int first, int end)> &range)
{
    const int threads = threadCount();
    const int ranges = threads > 1 ? std::min(count, 4 * threads) : 1;
    run(ranges, [&](int job) {
        range(int(qint64(count) * job / ranges), int(qint64(count) * (job + 1) / ranges));
    });
}

void startJob(const std::function<void()> &task)
{
    QThreadPool::globalInstance()->start([task] {
        insideTask = true;
        task();
        insideTask = false;
    });
}

int threadsHere()
{
    return insideJob || insideTask ? 1 : threadCount();
}

int threadCount()
{
    return QThreadPool::globalInstance()->maxThreadCount();
}

void setThreadCount(int threads)
{
    QThreadPool::globalInstance()->setMaxThreadCount(std::max(1, threads));
}

} // namespace ParallelFor
