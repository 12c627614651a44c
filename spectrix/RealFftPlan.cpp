#include "RealFftPlan.h"

#include <mutex>

namespace {

std::mutex &plannerLock()
{
    static std::mutex lock;
    return lock;
}

} // namespace

RealFftPlan::RealFftPlan(int n, unsigned flags)
    : length(n)
{
    if (n < 1)
        return;
    in = fftw_alloc_real(static_cast<size_t>(n));
    out = fftw_alloc_complex(static_cast<size_t>(n / 2 + 1));
    if (in && out) {
        const std::lock_guard<std::mutex> guard(plannerLock());
        plan = fftw_plan_dft_r2c_1d(n, in, out, flags);
    }
}

RealFftPlan::~RealFftPlan()
{
    if (plan) {
        const std::lock_guard<std::mutex> guard(plannerLock());
        fftw_destroy_plan(plan);
    }
    if (out)
        fftw_free(out);
    if (in)
        fftw_free(in);
}

void RealFftPlan::execute()
{
    fftw_execute(plan);
}

void RealFftPlan::execute(double *input, fftw_complex *output) const
{
    fftw_execute_dft_r2c(plan, input, output);
}
