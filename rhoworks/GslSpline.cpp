#include "GslSpline.h"

#include <cmath>

GslSpline::GslSpline(const gsl_interp_type *type, const QVector<double> &x)
    : knots(x)
{
    if (!usableKnots(type, x))
        return;
    spline = gsl_spline_alloc(type, size_t(x.size()));
    accel = gsl_interp_accel_alloc();
}

GslSpline::~GslSpline()
{
    if (accel)
        gsl_interp_accel_free(accel);
    if (spline)
        gsl_spline_free(spline);
}

bool GslSpline::isValid() const
{
    return spline && accel;
}

bool GslSpline::fit(const QVector<double> &y)
{
    if (!isValid() || y.size() != knots.size())
        return false;
    values = y;
    gsl_interp_accel_reset(accel);
    return gsl_spline_init(spline, knots.constData(), values.constData(), size_t(knots.size())) == 0;
}

double GslSpline::at(double x)
{
    if (std::isnan(x))
        return x;
    if (!(x > knots.first()))
        return values.first();
    if (!(x < knots.last()))
        return values.last();
    return gsl_spline_eval(spline, x, accel);
}

bool GslSpline::usableKnots(const gsl_interp_type *type, const QVector<double> &x)
{
    if (x.size() < int(gsl_interp_type_min_size(type)))
        return false;
    for (int i = 0; i < x.size(); ++i) {
        if (!std::isfinite(x[i]) || (i > 0 && !(x[i - 1] < x[i])))
            return false;
    }
    return true;
}
