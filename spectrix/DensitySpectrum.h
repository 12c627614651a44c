#pragma once
// The windowed one-sided amplitude-density spectrum of segments of one length, as contiguous complex
// lines: line k - 1 holds X[k] sqrt(2 / (n fs)) for k = 1 .. n/2, X being the transform of the
// segment under the half-cosine taper. Its modulus and argument are the amplitude and phase of
// Spectrix's spectral lines; the DC line is left out as there.
//
// One object per thread: the taper and the shared plan are made once, the aligned work buffers are
// the object's own, so transforming a segment allocates nothing.

#include <complex>
#include <memory>
#include <vector>

#include "RealFftPlan.h"
#include "SpectralRecords.h"

class SPECTRIX_EXPORT DensitySpectrum {
public:
    // n >= 2 and fs > 0; isValid() is false otherwise or when FFTW cannot plan.
    DensitySpectrum(int n, double fs);
    ~DensitySpectrum();
    DensitySpectrum(const DensitySpectrum &) = delete;
    DensitySpectrum &operator=(const DensitySpectrum &) = delete;

    bool isValid() const { return plan != nullptr; }
    int lineCount() const { return length / 2; }
    // Spectrum of n samples; the result stays valid until the next call on this object.
    const std::complex<double> *transform(const double *samples);
    // transform(samples)[k] * factors[k] for every line k, written to out (lineCount() values), in
    // one pass over the transform.
    void transformTimes(const double *samples, const std::complex<double> *factors, std::complex<double> *out);
    // The unscaled coefficients X[0 .. n/2] of the tapered samples, transformed straight into out
    // (from FFTW's allocator, n/2 + 1 values).
    void coefficients(const double *samples, fftw_complex *out);
    // The same spectrum as Spectrix's spectral lines (FastFFTTranform of the tapered samples).
    QList<OneFreqSpectrum> spectrumLines(const double *samples);
    // The amplitudes of spectrumLines(samples), to the last bit, and its phases, to a few units in
    // the last place (LineArgument), written as two columns of lineCount() values; returns the
    // unscaled coefficients X[1 .. n/2] they come from (valid until the next call on this object).
    const std::complex<double> *lineColumns(const double *samples, double *amplitudes, double *phases);
    // sqrt(2 / (n fs)): what the coefficients are multiplied by to give the density lines.
    double densityScale() const { return scale; }

private:
    int length;
    double fs;
    double scale;
    std::vector<double> taper;
    std::shared_ptr<const RealFftPlan> plan;
    double *input = nullptr;
    fftw_complex *output = nullptr;
};
