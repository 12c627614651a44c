#pragma once
// One FFTW complex-to-real transform of fixed length n with its own buffers, planned once and run
// many times. x[j] = sum over the n lines of X[k] e^{+2 pi i j k / n} (unnormalised), with the
// lines above n/2 implied by Hermitian symmetry; the input lines are overwritten by each run.

#include <complex>
#include <fftw3.h>

class InverseRealFft {
public:
    explicit InverseRealFft(int n);
    ~InverseRealFft();
    InverseRealFft(const InverseRealFft &) = delete;
    InverseRealFft &operator=(const InverseRealFft &) = delete;

    int length() const { return n; }
    int lineCount() const { return n / 2 + 1; }
    // Lines k = 0 .. n/2 to fill before run().
    std::complex<double> *lines();
    void run();
    // The n samples of the last run.
    const double *samples() const { return output; }

private:
    int n;
    fftw_complex *input = nullptr;
    double *output = nullptr;
    fftw_plan plan = nullptr;
};
