#pragma once
// One real-to-complex FFTW transform of length n: its input and output buffers (FFTW's allocator)
// and its plan, owned together so that no return path can leak them. Not copyable.
// A plan is made once per length and executed for every segment of that length.
//
// FFTW's planner is not reentrant, so every plan is made and destroyed under one process-wide lock;
// executing a plan on buffers of the caller's (execute(in, out)) is safe from any number of threads
// at once, which lets one plan per length serve every thread.

#include <fftw3.h>

#include "SpectrixExport.h"

class SPECTRIX_EXPORT RealFftPlan {
public:
    // n >= 1; the plan is invalid when n < 1 or FFTW cannot allocate or plan. flags are FFTW's
    // planner flags (FFTW_ESTIMATE plans at once; FFTW_MEASURE times candidates first).
    explicit RealFftPlan(int n, unsigned flags = FFTW_ESTIMATE);
    ~RealFftPlan();
    RealFftPlan(const RealFftPlan &) = delete;
    RealFftPlan &operator=(const RealFftPlan &) = delete;

    bool isValid() const { return plan != nullptr; }
    int size() const { return length; }
    // n real samples in, n/2 + 1 complex coefficients X[k] = sum x[j] exp(-2 pi i j k / n) out.
    double *input() { return in; }
    const fftw_complex *output() const { return out; }
    void execute();
    // The same transform on the caller's buffers, which must come from FFTW's allocator (fftw_alloc_*)
    // and hold n reals and n/2 + 1 complex values. Thread-safe.
    void execute(double *input, fftw_complex *output) const;

private:
    int length = 0;
    double *in = nullptr;
    fftw_complex *out = nullptr;
    fftw_plan plan = nullptr;
};
