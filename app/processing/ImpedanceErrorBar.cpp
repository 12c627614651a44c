#include "ImpedanceErrorBar.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

ImpedanceErrorBar ImpedanceErrorBar::fromImpedance(double freq, std::complex<double> z, double d)
{
    ImpedanceErrorBar bar;
    bar.freq = freq;
    const double size = std::abs(z);
    const double rho = size * size / (5 * freq);
    bar.rhoError = 2 * rho * d / size;
    bar.phaseError = std::min(180.0, d / size * 180 / kPi);
    if (!std::isfinite(d))
        bar.rhoError = bar.phaseError = std::nan("");
    return bar;
}

double ImpedanceErrorBar::impedanceError(double rho) const
{
    const double size = std::sqrt(5 * freq * rho);
    return rho > 0 ? rhoError * size / (2 * rho) : std::nan("");
}

const ImpedanceErrorBar *errorBarAt(const QVector<ImpedanceErrorBar> &bars, double freq)
{
    const auto match = std::find_if(bars.begin(), bars.end(), [freq](const ImpedanceErrorBar &bar) {
        return std::fabs(bar.freq - freq) <= 1e-6 * std::fabs(freq);
    });
    return match == bars.end() ? nullptr : &*match;
}
