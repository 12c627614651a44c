#include "OrderStatistics.h"

#include <QVector>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

double toFloatPrecision(double value)
{
    return double(float(value));
}

}  // namespace

namespace OrderStatistics {

bool nanLastLess(double a, double b)
{
    if (std::isnan(a))
        return false;
    return std::isnan(b) || a < b;
}

double medianInPlace(double *values, int count)
{
    if (count <= 0)
        return std::numeric_limits<double>::quiet_NaN();
    double *middle = values + count / 2;
    std::nth_element(values, middle, values + count, nanLastLess);
    if (count % 2 == 1)
        return *middle;
    const double below = *std::max_element(values, middle, nanLastLess);
    return (below + *middle) * 0.5;
}

// With the run sorted as s and element k at the first position p of its equal values, removing it
// leaves r_j = s_j for j < p and s_(j+1) otherwise; p > j exactly when s_j < value.
void leaveOneOutMedians(const double *values, int count, double *medians)
{
    QVector<double> sorted(values, values + count);
    const bool evenCount = count % 2 == 0;
    const int h = evenCount ? count / 2 - 1 : (count - 1) / 2;  // middle index of the remaining run
    double *s = sorted.data();
    std::nth_element(s, s + h, s + count, nanLastLess);
    const double mid = s[h];
    const double above = *std::min_element(s + h + 1, s + count, nanLastLess);
    const double below = h > 0 ? *std::max_element(s, s + h, nanLastLess) : mid;
    for (int k = 0; k < count; ++k) {
        const double x = values[k];
        const double upper = nanLastLess(mid, x) ? mid : above;
        if (evenCount) {
            medians[k] = toFloatPrecision(upper);
        } else {
            const double lower = nanLastLess(below, x) ? below : mid;
            medians[k] = toFloatPrecision((lower + upper) * 0.5);
        }
    }
}

double repeatedMedian(const double *values, int count)
{
    if (count <= 0)
        return std::numeric_limits<double>::quiet_NaN();
    if (count == 1)
        return toFloatPrecision(values[0]);
    QVector<double> stageOne(count);
    leaveOneOutMedians(values, count, stageOne.data());
    return toFloatPrecision(medianInPlace(stageOne.data(), count));
}

}  // namespace OrderStatistics
