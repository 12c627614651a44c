#pragma once
// A GSL spline with its lookup accelerator, owned together. It is only ever initialised on knots
// that satisfy GSL's preconditions and only ever evaluated inside the knot span: outside it the
// end values hold, so no GSL call can fail.

#include <QVector>
#include <gsl/gsl_interp.h>
#include <gsl/gsl_spline.h>

#include "RhoworksExport.h"

class RHOWORKS_EXPORT GslSpline {
public:
    // x: the knots (Hz); type: gsl_interp_linear, gsl_interp_akima, ...
    GslSpline(const gsl_interp_type *type, const QVector<double> &x);
    ~GslSpline();
    GslSpline(const GslSpline &) = delete;
    GslSpline &operator=(const GslSpline &) = delete;

    // Whether the knots are usable: at least the type's minimum count, finite, strictly increasing.
    bool isValid() const;
    // Fits y (one value per knot). False when the knots are unusable or y has another length.
    bool fit(const QVector<double> &y);
    // Value at x after a successful fit: the spline inside the knot span, the first or last value
    // outside it.
    double at(double x);

    static bool usableKnots(const gsl_interp_type *type, const QVector<double> &x);

private:
    QVector<double> knots;
    QVector<double> values;
    gsl_spline *spline = nullptr;
    gsl_interp_accel *accel = nullptr;
};
