#include "Graph_ReferenceCurve.h"

namespace {

constexpr int kFaintAlpha = 80;      // of 255
constexpr int kMarkerSize = 7;       // pixels

QColor faint(const QColor &colour)
{
    QColor result = colour;
    result.setAlpha(kFaintAlpha);
    return result;
}

} // namespace

Graph_ReferenceCurve::Graph_ReferenceCurve(const QString &title, const QColor &colour,
                                           QwtSymbol::Style symbol)
    : QwtPlotCurve(title), symbolStyle(symbol)
{
    setStyle(symbol == QwtSymbol::NoSymbol ? QwtPlotCurve::Lines : QwtPlotCurve::NoCurve);
    setRenderHint(QwtPlotItem::RenderAntialiased, true);
    setItemAttribute(QwtPlotItem::AutoScale, false);
    setLegendAttribute(QwtPlotCurve::LegendShowLine, symbol == QwtSymbol::NoSymbol);
    setZ(5);
    setColour(colour);
}

void Graph_ReferenceCurve::setColour(const QColor &colour)
{
    const QPen pen(faint(colour), symbolStyle == QwtSymbol::NoSymbol ? 2.0 : 1.0);
    setPen(pen);
    if (symbolStyle != QwtSymbol::NoSymbol)
        setSymbol(new QwtSymbol(symbolStyle, Qt::NoBrush, pen, QSize(kMarkerSize, kMarkerSize)));
}
