#include "PlotTicks.h"

#include <cmath>

namespace {

// More ticks than any axis of a picture can show apart: a range asking for them is not drawn.
constexpr double kMostTicks = 1000;

} // namespace

bool onLogScale(double value)
{
    return value >= kLogScaleLowest && value <= kLogScaleHighest;
}

QVector<PlotTick> logTicks(double low, double high)
{
    if (!onLogScale(low) || !onLogScale(high) || !(low <= high))
        return {};
    const bool narrow = std::log10(high / low) < 2.0;
    const int first = int(std::floor(std::log10(low)));
    const int last = int(std::ceil(std::log10(high)));
    QVector<PlotTick> ticks;
    for (int k = first; k <= last; ++k) {
        for (int d = 1; d <= 9; ++d) {
            const double value = d * std::pow(10.0, k);
            // A relative margin keeps the end decades that the range was rounded to.
            if (value >= low * (1 - 1e-9) && value <= high * (1 + 1e-9))
                ticks.append({value, d == 1 || (narrow && (d == 2 || d == 5))});
        }
    }
    return ticks;
}

double roundStep(double low, double high, int count)
{
    const double raw = high > low ? (high - low) / std::max(count, 1) : 1.0;
    if (!std::isfinite(raw) || !(raw >= kLogScaleLowest))
        return 0.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double multiple : {1.0, 2.0, 5.0})
        if (raw <= multiple * power)
            return multiple * power;
    return 10.0 * power;
}

QVector<PlotTick> linearTicks(double low, double high, double step)
{
    if (!(step > 0 && std::isfinite(step)))
        return {};
    const double first = std::ceil(low / step - 1e-9);
    const double count = std::floor(high / step + 1e-9) - first + 1;
    if (!std::isfinite(first) || !(count >= 0 && count <= kMostTicks))
        return {};
    QVector<PlotTick> ticks;
    for (int k = 0; k < int(count); ++k)
        ticks.append({(first + k) * step + 0.0, true});  // + 0.0 turns -0 into 0
    return ticks;
}

QString tickLabel(double value)
{
    return QString::number(value, 'g', 6);
}
