#include "RealFftPlan.h"

RealFftPlan::RealFftPlan(int n)
    : length(n)
{
    if (n < 1)
        return;
    in = fftw_alloc_real(static_cast<size_t>(n));
    out = fftw_alloc_complex(static_cast<size_t>(n / 2 + 1));
    if (in && out)
        plan = fftw_plan_dft_r2c_1d(n, in, out, FFTW_ESTIMATE);
}

RealFftPlan::~RealFftPlan()
{
    if (plan)
        fftw_destroy_plan(plan);
    if (out)
        fftw_free(out);
    if (in)
        fftw_free(in);
}

void RealFftPlan::execute()
{
    fftw_execute(plan);
}
