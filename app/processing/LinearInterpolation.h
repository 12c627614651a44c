#pragma once
// Piecewise-linear interpolation through GSL (gsl_interp_linear with an accelerator), owned as one
// object. The knots are sorted by abscissa and a repeated abscissa keeps its first value, so GSL
// always gets strictly increasing knots; it is only ever evaluated inside the knot span, so no
// GSL call can fail. Outside the span the end values hold.

#include <QVector>
#include <gsl/gsl_interp.h>

class LinearInterpolation {
public:
    // x and y are matched by index (the shorter length counts); non-finite pairs are dropped.
    LinearInterpolation(const QVector<double> &x, const QVector<double> &y);
    ~LinearInterpolation();
    LinearInterpolation(const LinearInterpolation &) = delete;
    LinearInterpolation &operator=(const LinearInterpolation &) = delete;

    // Number of distinct knots kept.
    int knotCount() const { return knots.size(); }
    // Whether x lies within [first knot, last knot]; false without knots.
    bool covers(double x) const;
    // Linear value inside the span, the end value outside it, the only value with one knot,
    // NaN without knots.
    double at(double x);

private:
    QVector<double> knots;
    QVector<double> values;
    gsl_interp *interp = nullptr;
    gsl_interp_accel *accel = nullptr;
};
