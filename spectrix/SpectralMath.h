#pragma once
// Small formulas shared by the Spectrix operations: the value of pi used by every spectral formula,
// complex helpers on gsl_complex, the coherency of a cross-power matrix and the segment tapers.

#include <cmath>

#include "SpectralRecords.h"

namespace SpectralMath {

// Every spectral formula of the system uses pi with eight significant digits.
constexpr double kPi = 3.1415926;
// Coherency below this value rejects a line or a record.
constexpr double kCoherencyThreshold = 0.3;

// Line k of the one-sided amplitude density of an n-point transform at fs Hz from its coefficient
// (re, im): frequency k fs / n, amplitude sqrt(re^2 + im^2) scale (scale = sqrt(2 / (n fs))) and
// phase atan2(im, re), 0 for an empty line.
OneFreqSpectrum spectralLine(double re, double im, int k, int n, double fs, double scale);
// The amplitude and the phase of spectralLine, for callers that keep them as columns.
inline double lineAmplitude(double re, double im, double scale)
{
    return std::sqrt(re * re + im * im) * scale;
}
inline double linePhase(double re, double im)
{
    // atan2(+-0, -0) would give +-pi; an empty line has phase 0.
    return (re == 0 && im == 0) ? 0.0 : std::atan2(im, re);
}
// (amplitude cos(phase), amplitude sin(phase)) of a spectral line.
gsl_complex lineToComplex(const OneFreqSpectrum &line);
// a times conj(b): one entry of a cross-power matrix, by gsl_complex_mul's formula, inline because
// it runs for every entry of every line of every segment.
inline gsl_complex timesConjugate(gsl_complex a, gsl_complex b)
{
    const double ar = GSL_REAL(a), ai = GSL_IMAG(a), br = GSL_REAL(b), bi = -GSL_IMAG(b);
    return gsl_complex{{ar * br - ai * bi, ar * bi + ai * br}};
}
gsl_complex nanComplex();

// sqrt(|S1|^2 / (|S3| |S0|)) of the auto powers S0 (E), S3 (H) and the cross power S1 = E conj(H);
// NaN or infinity when an auto power is 0 or an entry is not finite.
double coherency(gsl_complex s0, gsl_complex s1, gsl_complex s3);
// False for NaN, infinity and anything below the threshold; exactly the threshold passes.
bool passesCoherency(double coh);

// Whether window type 1..4 tapers the segment; every other type leaves it unchanged.
bool isTaperType(int type);
// Weight of a taper of the given type at a position where cs = cos(i pi / n).
double taperWeight(int type, double cs);

} // namespace SpectralMath
