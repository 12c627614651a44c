#include "ImpedanceErrorBar.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

ImpedanceErrorBar ImpedanceErrorBar::fromImpedance(double freq, std::complex<double> z, double radial,
                                                   double tangential)
{
    ImpedanceErrorBar bar;
    bar.freq = freq;
    const double size = std::abs(z);
    const double rho = size * size / (5 * freq);
    bar.rhoError = 2 * rho * radial / size;
    bar.phaseError = std::min(180.0, tangential / size * 180 / kPi);
    if (!std::isfinite(radial) || !std::isfinite(tangential))
        bar.rhoError = bar.phaseError = std::nan("");
    return bar;
}

double ImpedanceErrorBar::impedanceError(double rho) const
{
    const double size = std::sqrt(5 * freq * rho);
    const double radial = rhoError * size / (2 * rho);
    const double tangential = phaseError * kPi / 180 * size;
    return rho > 0 ? std::sqrt((radial * radial + tangential * tangential) / 2) : std::nan("");
}

const ImpedanceErrorBar *errorBarAt(const QVector<ImpedanceErrorBar> &bars, double freq)
{
    const auto match = std::find_if(bars.begin(), bars.end(), [freq](const ImpedanceErrorBar &bar) {
        return std::fabs(bar.freq - freq) <= 1e-6 * std::fabs(freq);
    });
    return match == bars.end() ? nullptr : &*match;
}
