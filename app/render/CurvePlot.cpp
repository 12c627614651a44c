#include "CurvePlot.h"

#include <algorithm>
#include <cmath>

#include "PlotCanvas.h"

namespace {

struct MeasuredStyle {
    PlotMarker marker;
    QColor colour;
};

const MeasuredStyle kMeasuredStyles[] = {
    {PlotMarker::Circle, QColor(31, 119, 180)},  {PlotMarker::Square, QColor(214, 39, 40)},
    {PlotMarker::Triangle, QColor(44, 160, 44)}, {PlotMarker::Diamond, QColor(148, 103, 189)},
    {PlotMarker::Cross, QColor(255, 127, 14)}};

const struct {
    QColor colour;
    Qt::PenStyle line;
} kModelStyles[] = {{Qt::black, Qt::SolidLine}, {Qt::black, Qt::DashLine},
                    {QColor(120, 120, 120), Qt::SolidLine}, {QColor(120, 120, 120), Qt::DashLine}};

MeasuredStyle measuredStyle(int i)
{
    return kMeasuredStyles[i % std::size(kMeasuredStyles)];
}

LegendEntry modelEntry(const CurvePlot::ModelLine &line, int i)
{
    const auto &style = kModelStyles[i % std::size(kModelStyles)];
    return {line.name, style.colour, PlotMarker::None, style.line};
}

// Widens [low, high] to the x (useX) or y values of every curve that lie on the log scale.
void widen(const QList<QVector<QPointF>> &curves, bool useX, double &low, double &high)
{
    for (const QVector<QPointF> &curve : curves)
        for (const QPointF &p : curve) {
            const double v = useX ? p.x() : p.y();
            if (onLogScale(v)) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        }
}

PlotAxis decadeAxis(double low, double high, bool reversed)
{
    if (!(low <= high))  // nothing to plot: one decade around 1
        low = high = 1.0;
    double lowDecade = std::pow(10.0, std::floor(std::log10(low)));
    double highDecade = std::pow(10.0, std::ceil(std::log10(high)));
    if (highDecade / lowDecade < 10.5)
        highDecade = lowDecade * 10.0;
    return {lowDecade, highDecade, true, reversed};
}

} // namespace

QPointF CurvePlot::frequencyRange() const
{
    double low = HUGE_VAL, high = -HUGE_VAL;
    for (const Series &series : measured)
        widen({series.rho}, true, low, high);
    return low <= high ? QPointF(low, high) : QPointF();
}

int CurvePlot::unplottable() const
{
    int count = 0;
    for (const Series &series : measured) {
        for (const QPointF &p : series.rho)
            count += !onLogScale(p.x()) || !onLogScale(p.y());
        for (const QPointF &p : series.phase)
            count += !onLogScale(p.x()) || !std::isfinite(p.y());
    }
    return count;
}

bool CurvePlot::save(const QString &path, QSize size) const
{
    PlotCanvas canvas(size);
    QList<QVector<QPointF>> rhoCurves;
    for (const Series &series : measured)
        rhoCurves << series.rho;
    for (const ModelLine &line : modelRho)
        rhoCurves << line.values;
    double fLow = HUGE_VAL, fHigh = -HUGE_VAL, rhoLow = HUGE_VAL, rhoHigh = -HUGE_VAL;
    widen(rhoCurves, true, fLow, fHigh);
    widen(rhoCurves, false, rhoLow, rhoHigh);

    const double left = 95, right = size.width() - 290, top = 50, bottom = size.height() - 70;
    const double split = top + 0.6 * (bottom - top);
    const PlotAxis frequency = decadeAxis(fLow, fHigh, true);
    const PlotPanel rhoPanel{QRectF(left, top, right - left, split - top - 8), frequency,
                             decadeAxis(rhoLow, rhoHigh, false)};
    const PlotPanel phasePanel{QRectF(left, split + 8, right - left, bottom - split - 8), frequency,
                               PlotAxis{0.0, 90.0, false, false, 15.0}};
    canvas.drawTitle(title);
    canvas.drawGrid(rhoPanel);
    canvas.drawGrid(phasePanel);
    canvas.drawAxes(rhoPanel, QString(), QStringLiteral("Apparent resistivity (ohm-m)"), false);
    canvas.drawAxes(phasePanel, QStringLiteral("Frequency (Hz)"), QStringLiteral("Phase (degrees)"));

    QList<LegendEntry> rhoLegend, phaseLegend;
    for (int i = 0; i < modelRho.size(); ++i) {
        const LegendEntry entry = modelEntry(modelRho.at(i), i);
        canvas.drawLine(rhoPanel, modelRho.at(i).values, QPen(entry.colour, 1.6, entry.line));
        rhoLegend << entry;
    }
    for (int i = 0; i < modelPhase.size(); ++i) {
        const LegendEntry entry = modelEntry(modelPhase.at(i), i);
        canvas.drawLine(phasePanel, modelPhase.at(i).values, QPen(entry.colour, 1.6, entry.line));
        phaseLegend << entry;
    }
    for (int i = 0; i < measured.size(); ++i) {
        const MeasuredStyle style = measuredStyle(i);
        canvas.drawErrorBars(rhoPanel, measured.at(i).rho, measured.at(i).rhoError, style.colour);
        canvas.drawErrorBars(phasePanel, measured.at(i).phase, measured.at(i).phaseError, style.colour);
        canvas.drawPoints(rhoPanel, measured.at(i).rho, style.marker, style.colour);
        canvas.drawPoints(phasePanel, measured.at(i).phase, style.marker, style.colour);
        rhoLegend.insert(i, {measured.at(i).name, style.colour, style.marker});
    }
    canvas.drawLegend(QPointF(right + 14, top), rhoLegend);
    canvas.drawLegend(QPointF(right + 14, phasePanel.area.top()), phaseLegend);
    return canvas.save(path);
}
