#include "Graph_SoundingCurve.h"

#include <QPainter>
#include <cmath>
#include <qwt_scale_map.h>
#include <qwt_symbol.h>

namespace {

constexpr double kCapHalfWidth = 3.0;   // pixels
constexpr int kMaskedCircleSize = 8;    // pixels

// The pixel of value y on the map, held inside the canvas; a value the map cannot place (zero or
// negative on a log axis) lies beyond its low end.
double clampedPixel(const QwtScaleMap &map, double y, const QRectF &canvasRect)
{
    const bool placeable = map.transformation() == nullptr || y > 0.0;
    const double pixel = placeable ? map.transform(y) : map.p1();
    return qBound(canvasRect.top(), pixel, canvasRect.bottom());
}

} // namespace

Graph_SoundingCurve::Graph_SoundingCurve(const QString &title) : QwtPlotCurve(title)
{
    setStyle(QwtPlotCurve::NoCurve);
    setRenderHint(QwtPlotItem::RenderAntialiased, true);
}

void Graph_SoundingCurve::drawSeries(QPainter *painter, const QwtScaleMap &xMap,
                                     const QwtScaleMap &yMap, const QRectF &canvasRect, int from,
                                     int to) const
{
    if (to < 0)
        to = int(dataSize()) - 1;
    painter->save();
    painter->setPen(QPen(pen().color(), 1.0));
    for (int i = from; i <= to; ++i)
        drawErrorBar(painter, xMap, yMap, canvasRect, i);
    painter->restore();
    QwtPlotCurve::drawSeries(painter, xMap, yMap, canvasRect, from, to);
}

// Draws the symbol over each run of unmasked points and a hollow circle on each masked one.
void Graph_SoundingCurve::drawSymbols(QPainter *painter, const QwtSymbol &symbol,
                                      const QwtScaleMap &xMap, const QwtScaleMap &yMap,
                                      const QRectF &canvasRect, int from, int to) const
{
    int runStart = from;
    for (int i = from; i <= to + 1; ++i) {
        const bool runEnds = i > to || isMasked(i);
        if (!runEnds)
            continue;
        if (i > runStart)
            QwtPlotCurve::drawSymbols(painter, symbol, xMap, yMap, canvasRect, runStart, i - 1);
        if (i <= to)
            drawMaskedPoint(painter, xMap, yMap, canvasRect, i);
        runStart = i + 1;
    }
}

void Graph_SoundingCurve::drawErrorBar(QPainter *painter, const QwtScaleMap &xMap,
                                       const QwtScaleMap &yMap, const QRectF &canvasRect,
                                       int index) const
{
    const double error = errors.value(index, 0.0);
    if (!(error > 0.0) || isMasked(index))
        return;
    const QPointF point = sample(index);
    const double x = xMap.transform(point.x());
    const double low = clampedPixel(yMap, point.y() - error, canvasRect);
    const double high = clampedPixel(yMap, point.y() + error, canvasRect);
    painter->drawLine(QPointF(x, low), QPointF(x, high));
    painter->drawLine(QPointF(x - kCapHalfWidth, low), QPointF(x + kCapHalfWidth, low));
    painter->drawLine(QPointF(x - kCapHalfWidth, high), QPointF(x + kCapHalfWidth, high));
}

void Graph_SoundingCurve::drawMaskedPoint(QPainter *painter, const QwtScaleMap &xMap,
                                          const QwtScaleMap &yMap, const QRectF &canvasRect,
                                          int index) const
{
    const QwtSymbol hollow(QwtSymbol::Ellipse, QBrush(Qt::white), QPen(pen().color(), 1.2),
                           QSize(kMaskedCircleSize, kMaskedCircleSize));
    QwtPlotCurve::drawSymbols(painter, hollow, xMap, yMap, canvasRect, index, index);
}
