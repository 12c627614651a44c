#include "SplineRepair.h"

#include <QDebug>
#include <cmath>

#include "GslSpline.h"

namespace {

using Field = double OneFreqImpedance::*;

QVector<double> keptValues(const QVector<OneFreqImpedance> &curve, const QVector<bool> &hit,
                           Field field)
{
    QVector<double> values;
    for (int i = 0; i < curve.size(); ++i) {
        if (!hit[i])
            values.append(curve[i].*field);
    }
    return values;
}

// Akima needs five knots and is only defined between the outer ones; a hit outside the kept span
// would fall on the held end value of a linear fit instead.
const gsl_interp_type *splineType(const QVector<OneFreqImpedance> &curve, const QVector<bool> &hit,
                                  const QVector<double> &keptFreqs)
{
    if (keptFreqs.size() < 5)
        return gsl_interp_linear;
    for (int i = 0; i < curve.size(); ++i) {
        const double f = curve[i].freq;
        if (hit[i] && !(keptFreqs.first() <= f && f <= keptFreqs.last()))
            return gsl_interp_linear;
    }
    return gsl_interp_akima;
}

}  // namespace

void splineRepair(QVector<OneFreqImpedance> &curve, const QVector<bool> &hit, bool replaceAll,
                  const char *caller)
{
    const QVector<double> keptFreqs = keptValues(curve, hit, &OneFreqImpedance::freq);
    if (keptFreqs.size() < 2)
        return;
    GslSpline spline(splineType(curve, hit, keptFreqs), keptFreqs);
    if (!spline.isValid()) {
        qDebug() << caller << "curve frequencies are not strictly increasing; curve left unchanged";
        return;
    }
    for (Field field : {&OneFreqImpedance::rho, &OneFreqImpedance::phase,
                        &OneFreqImpedance::coherency}) {
        if (!spline.fit(keptValues(curve, hit, field)))
            return;
        for (int i = 0; i < curve.size(); ++i) {
            if (replaceAll || hit[i])
                curve[i].*field = std::fabs(spline.at(curve[i].freq));
        }
    }
}
