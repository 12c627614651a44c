#include "CurveColumnReadout.h"

#include <algorithm>
#include <cmath>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_scale_map.h>

namespace {

constexpr double kSameColumn = 0.5;  // pixels: points this close in x share a column

// The reading of the curve's points nearest pixelX in x; false when none lies within maxPixels.
bool readCurve(const QwtPlotCurve &curve, const QwtScaleMap &xMap, double pixelX, double maxPixels,
               CurveColumnReadout::Reading &reading)
{
    const size_t n = curve.dataSize();
    double best = maxPixels;
    double bestPixel = NAN;
    for (size_t i = 0; i < n; ++i) {
        const double pixel = xMap.transform(curve.sample(int(i)).x());
        if (std::fabs(pixel - pixelX) <= best) {
            best = std::fabs(pixel - pixelX);
            bestPixel = pixel;
        }
    }
    if (std::isnan(bestPixel))
        return false;
    reading.title = curve.title().text();
    reading.low = HUGE_VAL;
    reading.high = -HUGE_VAL;
    for (size_t i = 0; i < n; ++i) {
        const QPointF point = curve.sample(int(i));
        if (std::fabs(xMap.transform(point.x()) - bestPixel) > kSameColumn)
            continue;
        reading.x = point.x();
        reading.low = std::min(reading.low, point.y());
        reading.high = std::max(reading.high, point.y());
    }
    return true;
}

} // namespace

QList<CurveColumnReadout::Reading> CurveColumnReadout::read(const QwtPlot &plot, int pixelX,
                                                            double maxPixels)
{
    QList<Reading> readings;
    const QwtScaleMap xMap = plot.canvasMap(QwtPlot::xBottom);
    for (const QwtPlotItem *item : plot.itemList(QwtPlotItem::Rtti_PlotCurve)) {
        const auto *curve = static_cast<const QwtPlotCurve *>(item);
        Reading reading;
        if (curve->isVisible() && readCurve(*curve, xMap, pixelX, maxPixels, reading))
            readings.append(reading);
    }
    return readings;
}

QString CurveColumnReadout::rangeText(double low, double high)
{
    if (low == high)
        return QString::number(low, 'g', 5);
    return QStringLiteral("%1 … %2").arg(low, 0, 'g', 5).arg(high, 0, 'g', 5);
}
