#include "DensitySpectrum.h"

#include <cmath>

#include "FftPlanCache.h"
#include "LineArgument.h"
#include "SpectralMath.h"

DensitySpectrum::DensitySpectrum(int n, double fs)
    : length(n), fs(fs), scale(std::sqrt(2 / (n * fs)))
{
    if (n < 2 || !(fs > 0) || !std::isfinite(fs))
        return;
    // The weights of Spectrix::WndFunc type 1, evaluated the same way.
    taper.resize(size_t(n));
    for (int i = 0; i < n; ++i)
        taper[size_t(i)] = SpectralMath::taperWeight(1, std::cos(i * SpectralMath::kPi / n));
    input = fftw_alloc_real(size_t(n));
    output = fftw_alloc_complex(size_t(n / 2 + 1));
    if (input && output)
        plan = FftPlanCache::plan(n);
}

DensitySpectrum::~DensitySpectrum()
{
    fftw_free(output);
    fftw_free(input);
}

void DensitySpectrum::coefficients(const double *samples, fftw_complex *out)
{
    for (int i = 0; i < length; ++i)
        input[i] = samples[i] * taper[size_t(i)];
    plan->execute(input, out);
}

QList<OneFreqSpectrum> DensitySpectrum::spectrumLines(const double *samples)
{
    coefficients(samples, output);
    QList<OneFreqSpectrum> lines;
    lines.reserve(length / 2);
    for (int k = 1; k <= length / 2; ++k)
        lines.append(SpectralMath::spectralLine(output[k][0], output[k][1], k, length, fs, scale));
    return lines;
}

namespace {

// Amplitude and argument of every line; a second version for processors with 256-bit vectors is
// chosen at load time (the same operations in the same order, so the same numbers).
__attribute__((target_clones("avx2", "default")))
void amplitudesAndArguments(int count, const double *__restrict parts, double scale,
                            double *__restrict amplitudes, double *__restrict phases)
{
    for (int k = 0; k < count; ++k) {
        const double re = parts[2 * k], im = parts[2 * k + 1];
        amplitudes[k] = SpectralMath::lineAmplitude(re, im, scale);
        phases[k] = LineArgument::of(re, im);
    }
}

} // namespace

const std::complex<double> *DensitySpectrum::lineColumns(const double *samples, double *amplitudes,
                                                        double *phases)
{
    coefficients(samples, output);
    amplitudesAndArguments(length / 2, output[1], scale, amplitudes, phases);  // output[1]: re, im, re, ...
    return reinterpret_cast<const std::complex<double> *>(output) + 1;
}

const std::complex<double> *DensitySpectrum::transform(const double *samples)
{
    coefficients(samples, output);
    // Lines 1 .. n/2 moved down by one, scaled: output[0] (DC) is dropped.
    auto *lines = reinterpret_cast<std::complex<double> *>(output);
    const int count = length / 2;
    for (int k = 0; k < count; ++k)
        lines[k] = lines[k + 1] * scale;
    return lines;
}

namespace {

// out[k] = (lines[k] * scale) * factors[k] by the textbook product, which the standard operator
// also computes for finite values; its NaN recovery kept the loop from vectorising.
__attribute__((target_clones("avx2", "default")))
void scaledProducts(int count, const double *__restrict lines, double scale,
                    const double *__restrict factors, double *__restrict out)
{
    for (int k = 0; k < count; ++k) {
        const double re = lines[2 * k] * scale, im = lines[2 * k + 1] * scale;
        const double fr = factors[2 * k], fi = factors[2 * k + 1];
        out[2 * k] = re * fr - im * fi;
        out[2 * k + 1] = re * fi + im * fr;
    }
}

} // namespace

void DensitySpectrum::transformTimes(const double *samples, const std::complex<double> *factors,
                                     std::complex<double> *out)
{
    coefficients(samples, output);
    scaledProducts(length / 2, output[1], scale, reinterpret_cast<const double *>(factors),
                   reinterpret_cast<double *>(out));
}
