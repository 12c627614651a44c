#include "SpectralMath.h"

#include <gsl/gsl_complex_math.h>

#include <cmath>
#include <limits>

namespace SpectralMath {

OneFreqSpectrum spectralLine(double re, double im, int k, int n, double fs, double scale)
{
    OneFreqSpectrum line;
    line.freq = k * fs / n;
    line.amplitude = lineAmplitude(re, im, scale);
    line.phase = linePhase(re, im);
    return line;
}

gsl_complex lineToComplex(const OneFreqSpectrum &line)
{
    return gsl_complex_polar(line.amplitude, line.phase);
}

gsl_complex nanComplex()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return gsl_complex_rect(nan, nan);
}

double coherency(gsl_complex s0, gsl_complex s1, gsl_complex s3)
{
    return std::sqrt(gsl_complex_abs2(s1) / (gsl_complex_abs(s3) * gsl_complex_abs(s0)));
}

bool passesCoherency(double coh)
{
    return std::isfinite(coh) && coh >= kCoherencyThreshold;
}

bool isTaperType(int type)
{
    return type >= 1 && type <= 4;
}

double taperWeight(int type, double cs)
{
    // Types 2 and 3 are sine-squared tapers carrying their own gain, 1/0.54 and 1/0.42.
    switch (type) {
    case 1:
        return 0.5 + 0.5 * cs;
    case 2:
        return 1.8518518518518516 - 1.8518518518518516 * cs * cs;
    case 3:
        return 2.380952380952381 - 2.380952380952381 * cs * cs;
    case 4:
        return 0.5 * cs * cs + 0.5;
    default:
        return 1.0;
    }
}

} // namespace SpectralMath
