#pragma once
// One real-to-complex FFTW transform of length n: its input and output buffers (FFTW's allocator)
// and its FFTW_ESTIMATE plan, owned together so that no return path can leak them. Not copyable.
// A plan is made once per length and executed for every segment of that length.

#include <fftw3.h>

#include "SpectrixExport.h"

class SPECTRIX_EXPORT RealFftPlan {
public:
    // n >= 1; the plan is invalid when n < 1 or FFTW cannot allocate or plan.
    explicit RealFftPlan(int n);
    ~RealFftPlan();
    RealFftPlan(const RealFftPlan &) = delete;
    RealFftPlan &operator=(const RealFftPlan &) = delete;

    bool isValid() const { return plan != nullptr; }
    int size() const { return length; }
    // n real samples in, n/2 + 1 complex coefficients X[k] = sum x[j] exp(-2 pi i j k / n) out.
    double *input() { return in; }
    const fftw_complex *output() const { return out; }
    void execute();

private:
    int length = 0;
    double *in = nullptr;
    fftw_complex *out = nullptr;
    fftw_plan plan = nullptr;
};
