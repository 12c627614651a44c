#pragma once
// Peak resident memory of the calling process, for the benchmarks' memory figures.

#include <sys/resource.h>

inline long peakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;  // kilobytes on Linux
}
