#include "PlotTicks.h"

#include <cmath>

QVector<PlotTick> logTicks(double low, double high)
{
    const bool narrow = std::log10(high / low) < 2.0;
    QVector<PlotTick> ticks;
    for (int k = int(std::floor(std::log10(low))); k <= int(std::ceil(std::log10(high))); ++k) {
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
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double multiple : {1.0, 2.0, 5.0})
        if (raw <= multiple * power)
            return multiple * power;
    return 10.0 * power;
}

QVector<PlotTick> linearTicks(double low, double high, double step)
{
    QVector<PlotTick> ticks;
    for (double k = std::ceil(low / step - 1e-9); k * step <= high + 1e-9 * step; ++k)
        ticks.append({k * step + 0.0, true});  // + 0.0 turns -0 into 0
    return ticks;
}

QString tickLabel(double value)
{
    return QString::number(value, 'g', 6);
}
