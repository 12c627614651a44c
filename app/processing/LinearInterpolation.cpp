#include "LinearInterpolation.h"

#include <algorithm>
#include <cmath>
#include <limits>

LinearInterpolation::LinearInterpolation(const QVector<double> &x, const QVector<double> &y)
    : LinearInterpolation(distinctKnots(x, y))
{
}

LinearInterpolation::LinearInterpolation(const Knots &distinct)
    : knots(distinct.x), values(distinct.y), spline(gsl_interp_linear, knots)
{
    spline.fit(values);
}

// The finite pairs sorted by x, the first of each repeated x kept.
LinearInterpolation::Knots LinearInterpolation::distinctKnots(const QVector<double> &x,
                                                              const QVector<double> &y)
{
    const int count = std::min(x.size(), y.size());
    QVector<int> order;
    for (int i = 0; i < count; ++i)
        if (std::isfinite(x[i]) && std::isfinite(y[i]))
            order.append(i);
    std::stable_sort(order.begin(), order.end(), [&x](int a, int b) { return x[a] < x[b]; });
    Knots distinct;
    for (int i : order) {
        if (!distinct.x.isEmpty() && distinct.x.last() == x[i])
            continue;
        distinct.x.append(x[i]);
        distinct.y.append(y[i]);
    }
    return distinct;
}

bool LinearInterpolation::covers(double x) const
{
    return !knots.isEmpty() && x >= knots.first() && x <= knots.last();
}

double LinearInterpolation::at(double x)
{
    if (knots.isEmpty() || std::isnan(x))
        return std::numeric_limits<double>::quiet_NaN();
    if (knots.size() == 1)
        return values.first();
    return spline.at(x);
}
