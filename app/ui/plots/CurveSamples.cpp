#include "CurveSamples.h"

#include <qwt_plot_curve.h>

QVector<QPointF> curveSamples(const QwtPlotCurve &curve)
{
    const size_t count = curve.dataSize();
    QVector<QPointF> points;
    points.reserve(int(count));
    for (size_t i = 0; i < count; ++i)
        points.append(curve.sample(int(i)));
    return points;
}
