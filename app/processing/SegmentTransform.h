#pragma once
// Fourier coefficients of one segment for the regression estimator: the segment's least-squares
// straight line removed, a Hann taper applied, and a real FFT of the segment's length taken with
// one FFTW plan made when the object is built and reused for every segment.
//
// The Hann taper w[j] = 0.5 - 0.5 cos(2 pi j / L) has side lobes falling as 1/f^3, so the red
// spectra of natural fields leak far less into the lowest lines than under a half-cosine taper.
// Coefficients are X[k] = sum w[j] x[j] exp(-2 pi i j k / L), k = 0 .. L/2, without a density
// scale: every channel of a recording is treated alike, so the scale cancels in the impedance.

#include <complex>
#include <vector>

#include "RealFftPlan.h"

class SegmentTransform {
public:
    // length L >= 4 and even; isValid() is false otherwise or when FFTW cannot plan.
    explicit SegmentTransform(int length);

    bool isValid() const;
    int length() const { return segmentLength; }
    // Reads L samples from samples and writes L/2 + 1 coefficients into lines.
    void transform(const double *samples, std::complex<double> *lines);

    // The taper's weights, w[j] = 0.5 - 0.5 cos(2 pi j / L).
    static std::vector<double> hannWindow(int length);

private:
    void detrendAndTaper(const double *samples, double *out) const;

    int segmentLength;
    std::vector<double> window;
    RealFftPlan plan;
};
