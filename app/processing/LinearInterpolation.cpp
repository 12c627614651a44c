#include "LinearInterpolation.h"

#include <algorithm>
#include <cmath>
#include <limits>

LinearInterpolation::LinearInterpolation(const QVector<double> &x, const QVector<double> &y)
{
    const int count = std::min(x.size(), y.size());
    QVector<int> order;
    for (int i = 0; i < count; ++i)
        if (std::isfinite(x[i]) && std::isfinite(y[i]))
            order.append(i);
    std::stable_sort(order.begin(), order.end(), [&x](int a, int b) { return x[a] < x[b]; });
    for (int i : order) {
        if (!knots.isEmpty() && knots.last() == x[i])
            continue;
        knots.append(x[i]);
        values.append(y[i]);
    }
    if (knots.size() < 2)
        return;
    interp = gsl_interp_alloc(gsl_interp_linear, knots.size());
    accel = gsl_interp_accel_alloc();
    gsl_interp_init(interp, knots.constData(), values.constData(), knots.size());
}

LinearInterpolation::~LinearInterpolation()
{
    if (accel)
        gsl_interp_accel_free(accel);
    if (interp)
        gsl_interp_free(interp);
}

bool LinearInterpolation::covers(double x) const
{
    return !knots.isEmpty() && x >= knots.first() && x <= knots.last();
}

double LinearInterpolation::at(double x)
{
    if (knots.isEmpty() || std::isnan(x))
        return std::numeric_limits<double>::quiet_NaN();
    if (x <= knots.first())
        return values.first();
    if (x >= knots.last())
        return values.last();
    return gsl_interp_eval(interp, knots.constData(), values.constData(), x, accel);
}
