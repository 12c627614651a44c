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

namespace {

bool sameFrequency(double a, double b)
{
    return std::fabs(a - b) <= 1e-6 * std::fabs(b);
}

// The occurrence-th bar (0: the first) of frequency freq, or null.
const ImpedanceErrorBar *nthBarAt(const QVector<ImpedanceErrorBar> &bars, double freq, int occurrence)
{
    for (const ImpedanceErrorBar &bar : bars)
        if (sameFrequency(bar.freq, freq) && occurrence-- == 0)
            return &bar;
    return nullptr;
}

}  // namespace

QVector<const ImpedanceErrorBar *> errorBarsAlong(const QVector<double> &frequencies,
                                                  const QVector<ImpedanceErrorBar> &bars)
{
    QVector<const ImpedanceErrorBar *> along;
    for (int i = 0; i < frequencies.size(); ++i) {
        const double f = frequencies[i];
        const int earlier = int(std::count_if(frequencies.begin(), frequencies.begin() + i,
                                              [f](double g) { return sameFrequency(g, f); }));
        along.append(nthBarAt(bars, f, earlier));
    }
    return along;
}

QVector<const ImpedanceErrorBar *> errorBarsAlong(const QVector<OneFreqImpedance> &curve,
                                                  const QVector<ImpedanceErrorBar> &bars)
{
    QVector<double> frequencies;
    for (const OneFreqImpedance &z : curve)
        frequencies.append(z.freq);
    return errorBarsAlong(frequencies, bars);
}
