#include "ImpedancePairCurves.h"

#include "CurveSamples.h"
#include "Graph_ReferenceCurve.h"
#include "Graph_SoundingCurve.h"
#include "ImpedancePlots.h"
#include "LegendEntry.h"
#include "QwtPlotGraph.h"

#include <algorithm>

namespace {

constexpr int kMarkerSize = 8;   // pixels

QwtSymbol *marker(QwtSymbol::Style style, const QColor &colour)
{
    return new QwtSymbol(style, Qt::NoBrush, QPen(colour, 1.5), QSize(kMarkerSize, kMarkerSize));
}

void setMarkers(Graph_SoundingCurve *curve, QwtSymbol::Style style, const QColor &colour)
{
    curve->setPen(QPen(colour, 1.0));
    curve->setSymbol(marker(style, colour));
}

void setValues(QwtPlotCurve *curve, const QVector<OneFreqImpedance> &points,
               double OneFreqImpedance::*value)
{
    QVector<QPointF> samples;
    samples.reserve(points.size());
    for (const OneFreqImpedance &point : points)
        samples.append(QPointF(point.freq, point.*value));
    curve->setSamples(samples);
}

} // namespace

ImpedancePairCurves::ImpedancePairCurves(const Style &pairStyle, const ImpedancePlots &plots)
    : style(pairStyle),
      rho(new Graph_SoundingCurve(pairStyle.title)),
      phase(new Graph_SoundingCurve(pairStyle.title)),
      coherency(new Graph_SoundingCurve(pairStyle.title)),
      bostick(new QwtPlotCurve(pairStyle.title)),
      faintRho(new Graph_ReferenceCurve(pairStyle.title, pairStyle.colour, pairStyle.symbol)),
      faintPhase(new Graph_ReferenceCurve(pairStyle.title, pairStyle.colour, pairStyle.symbol))
{
    bostick->setStyle(QwtPlotCurve::Steps);
    bostick->setCurveAttribute(QwtPlotCurve::Inverted, true);
    bostick->setRenderHint(QwtPlotItem::RenderAntialiased, true);
    rho->setLegendAttribute(QwtPlotCurve::LegendShowSymbol, true);
    for (QwtPlotCurve *curve : std::initializer_list<QwtPlotCurve *>{phase, coherency, bostick,
                                                                     faintRho, faintPhase})
        curve->setItemAttribute(QwtPlotItem::Legend, false);
    applyColour();
    rho->attach(plots.resistivity());
    faintRho->attach(plots.resistivity());
    phase->attach(plots.phase());
    faintPhase->attach(plots.phase());
    coherency->attach(plots.coherency());
    bostick->attach(plots.trueResistivity());
    setShown(true, false);
}

void ImpedancePairCurves::show(const CurveEdit &edit)
{
    hasPoints = !edit.points.isEmpty();
    setValues(rho, edit.points, &OneFreqImpedance::rho);
    setValues(phase, edit.points, &OneFreqImpedance::phase);
    setValues(coherency, edit.points, &OneFreqImpedance::coherency);
    setValues(faintRho, edit.points, &OneFreqImpedance::rho);
    setValues(faintPhase, edit.points, &OneFreqImpedance::phase);
    for (Graph_SoundingCurve *curve : {rho, phase, coherency})
        curve->setMasked(edit.masked);
    applyErrorBars();
    showBostick(edit);
}

void ImpedancePairCurves::showBostick(const CurveEdit &edit)
{
    QVector<QPointF> steps;
    for (const OneFreqImpedance &point : edit.keptPoints())
        if (point.bostickRho > 0.0 && point.bostickDepth > 0.0)
            steps.append(QPointF(point.bostickRho, point.bostickDepth));
    std::sort(steps.begin(), steps.end(),
              [](const QPointF &a, const QPointF &b) { return a.y() < b.y(); });
    bostick->setSamples(steps);
}

CurveEdit ImpedancePairCurves::plotted(const CurveEdit &committed) const
{
    CurveEdit edit = committed;
    edit.setPlottedValues(curveSamples(*rho), curveSamples(*phase));
    return edit;
}

void ImpedancePairCurves::setErrorBars(const QVector<ImpedanceErrorBar> &bars)
{
    errorBars = bars;
    applyErrorBars();
}

void ImpedancePairCurves::applyErrorBars()
{
    QVector<double> frequencies, rhoErrors, phaseErrors;
    for (const QPointF &point : curveSamples(*rho))
        frequencies.append(point.x());
    for (const ImpedanceErrorBar *bar : errorBarsAlong(frequencies, errorBars)) {
        rhoErrors.append(bar ? bar->rhoError : 0.0);
        phaseErrors.append(bar ? bar->phaseError : 0.0);
    }
    rho->setErrors(rhoErrors);
    phase->setErrors(phaseErrors);
}

void ImpedancePairCurves::setShown(bool shown, bool asReference)
{
    const bool editable = shown && hasPoints;
    for (QwtPlotCurve *curve : std::initializer_list<QwtPlotCurve *>{rho, phase, coherency, bostick})
        curve->setVisible(editable);
    showInLegend(*rho, editable);
    const bool faint = !shown && asReference && hasPoints;
    faintRho->setVisible(faint);
    faintPhase->setVisible(faint);
}

void ImpedancePairCurves::setColour(const QColor &colour)
{
    style.colour = colour;
    applyColour();
}

void ImpedancePairCurves::applyColour()
{
    for (Graph_SoundingCurve *curve : {rho, phase, coherency})
        setMarkers(curve, style.symbol, style.colour);
    bostick->setPen(QPen(style.colour, 1.5));
    faintRho->setColour(style.colour);
    faintPhase->setColour(style.colour);
}

bool ImpedancePairCurves::owns(const QwtPlotCurve *curve) const
{
    return curve == rho || curve == phase || curve == coherency;
}
