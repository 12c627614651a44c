#pragma once
// The samples a plot curve currently draws, as a plain vector (x, y) in plot units.

#include <QPointF>
#include <QVector>

class QwtPlotCurve;

QVector<QPointF> curveSamples(const QwtPlotCurve &curve);
