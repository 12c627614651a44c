#include "ParzenBand.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ParzenBand {

bool inside(double f0, double f, double h)
{
    return f > f0 - h && f < f0 + h;
}

double weight(double f0, double f, double h)
{
    const double d = std::fabs(f0 - f);
    if (d >= h)
        return 0.0;
    if (d == 0.0)
        return 1.0;
    const double x = d * kPi / h;
    return std::pow(std::sin(x) / x, 4);
}

double bandAverage(double f0, const QVector<double> &frequencies, const QVector<double> &values,
                   double r)
{
    const double h = f0 * r;
    const int count = std::min(frequencies.size(), values.size());
    double sum = 0.0;
    double weights = 0.0;
    for (int i = 0; i < count; ++i) {
        if (!inside(f0, frequencies[i], h))
            continue;
        const double w = weight(f0, frequencies[i], h);
        sum += w * values[i];
        weights += w;
    }
    return weights > 0.0 ? sum / weights : std::numeric_limits<double>::quiet_NaN();
}

} // namespace ParzenBand
