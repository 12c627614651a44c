#pragma once
// Piecewise-linear interpolation through scattered points. The knots are sorted by abscissa and a
// repeated abscissa keeps its first value, so the GSL linear spline always gets strictly increasing
// knots; outside the knot span the end values hold.

#include <QVector>

#include "GslSpline.h"

class LinearInterpolation {
public:
    // x and y are matched by index (the shorter length counts); non-finite pairs are dropped.
    LinearInterpolation(const QVector<double> &x, const QVector<double> &y);

    // Number of distinct knots kept.
    int knotCount() const { return knots.size(); }
    // Whether x lies within [first knot, last knot]; false without knots.
    bool covers(double x) const;
    // Linear value inside the span, the end value outside it, the only value with one knot,
    // NaN without knots.
    double at(double x);

private:
    struct Knots {
        QVector<double> x;
        QVector<double> y;
    };
    static Knots distinctKnots(const QVector<double> &x, const QVector<double> &y);
    explicit LinearInterpolation(const Knots &distinct);

    QVector<double> knots;
    QVector<double> values;
    GslSpline spline;
};
