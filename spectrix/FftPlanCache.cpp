#include "FftPlanCache.h"

#include <map>
#include <mutex>

namespace {

// FFTW_MEASURE was timed against FFTW_ESTIMATE on the segment lengths the recorders use
// (1024 .. 65536): the measured plans ran no faster within the noise of a shared machine, and
// measuring costs tens of milliseconds per length, more than a short recording's whole processing.
constexpr unsigned kPlannerFlags = FFTW_ESTIMATE;

} // namespace

namespace FftPlanCache {

std::shared_ptr<const RealFftPlan> plan(int n)
{
    if (n < 1)
        return nullptr;
    static std::mutex lock;
    static std::map<int, std::shared_ptr<const RealFftPlan>> plans;
    const std::lock_guard<std::mutex> guard(lock);
    std::shared_ptr<const RealFftPlan> &entry = plans[n];
    if (!entry) {
        auto made = std::make_shared<const RealFftPlan>(n, kPlannerFlags);
        if (!made->isValid())
            return nullptr;
        entry = made;
    }
    return entry;
}

} // namespace FftPlanCache
