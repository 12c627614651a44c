#pragma once
// Runs the jobs 0 .. count - 1 on the process's worker threads (Qt's global thread pool, sized to
// the machine's cores) and returns when all are done. The calling thread takes jobs too, and
// helpers are only started on threads that are free at once, so a pool thread may itself call
// run (a station processed on a worker, its channels in parallel) without waiting for threads that
// never come; a run called from inside a job takes its jobs on the calling thread. Jobs must not
// depend on one another; which thread runs which job is not fixed, so callers write each job's
// result to its own place and combine them in job order.

#include <functional>

#include "SpectrixExport.h"

namespace ParallelFor {

SPECTRIX_EXPORT void run(int count, const std::function<void(int job)> &job);
// Splits the items 0 .. count - 1 into contiguous ranges [first, end), a few per thread (one range
// on one thread), and runs them as jobs: for work on independent spectral lines.
SPECTRIX_EXPORT void runRanges(int count, const std::function<void(int first, int end)> &range);
// Starts task on a worker thread and returns at once, as one of several tasks meant to keep the
// threads busy between them (recordings computed side by side): threadsHere() is 1 in it, and its
// runs get helpers only from threads that are idle.
SPECTRIX_EXPORT void startJob(const std::function<void()> &task);
// Threads worth planning for on the calling thread: 1 inside a job or a started task, else
// threadCount().
SPECTRIX_EXPORT int threadsHere();
// Threads bulk processing may use (the pool's size); setThreadCount(1) runs every job on the
// calling thread.
SPECTRIX_EXPORT int threadCount();
SPECTRIX_EXPORT void setThreadCount(int threads);

} // namespace ParallelFor
