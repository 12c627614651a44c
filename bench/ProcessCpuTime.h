#pragma once
// CPU time of the calling process (all its threads), for ratios that hold on a machine busy with
// other work: on one thread an undisturbed run's wall time equals its CPU time.

#include <ctime>

inline double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec * 1e-9;
}
