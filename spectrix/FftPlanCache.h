#pragma once
// The process's FFT plans, one per transform length, made on first use and kept for the life of the
// process, so that bulk processing pays for planning once per length rather than once per segment.
// Safe to call from any thread; the plans are used through RealFftPlan::execute(in, out).

#include <memory>

#include "RealFftPlan.h"

namespace FftPlanCache {

// The shared plan of length n, or null when n < 1 or FFTW cannot plan it.
SPECTRIX_EXPORT std::shared_ptr<const RealFftPlan> plan(int n);

} // namespace FftPlanCache
