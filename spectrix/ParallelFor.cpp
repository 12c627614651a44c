#include "ParallelFor.h"

#include <QSemaphore>
#include <QtGlobal>
#include <QThreadPool>

#include <algorithm>
#include <atomic>

namespace ParallelFor {

void run(int count, const std::function<void(int job)> &job)
{
    QThreadPool *pool = QThreadPool::globalInstance();
    const int wanted = std::min(count, pool->maxThreadCount()) - 1;
    std::atomic<int> next{0};
    QSemaphore finished;
    const auto takeJobs = [&] {
        for (int i = next++; i < count; i = next++)
            job(i);
    };
    int helpers = 0;
    while (helpers < wanted && pool->tryStart([&] {
        takeJobs();
        finished.release();
    }))
        ++helpers;
    takeJobs();
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

int threadCount()
{
    return QThreadPool::globalInstance()->maxThreadCount();
}

void setThreadCount(int threads)
{
    QThreadPool::globalInstance()->setMaxThreadCount(std::max(1, threads));
}

} // namespace ParallelFor
