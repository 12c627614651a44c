#include "ImpedancePlots.h"

#include "Graph_Picker.h"
#include "PlotColumnAlignment.h"
#include "QwtPlotGraph.h"

#include <QFontMetrics>
#include <QSplitter>
#include <cmath>
#include <qwt_legend.h>
#include <qwt_plot_layout.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_widget.h>
#include <qwt_text.h>

namespace {

const char *const kHandleStyle = "QSplitter::handle { background-color: white }";
constexpr double kLowestResistivityScale = 1.0;      // ohm-m, the initial resistivity axis
constexpr double kHighestResistivityScale = 10000.0;

bool isValidRange(double a, double b)
{
    return std::isfinite(a) && std::isfinite(b) && a > 0.0 && b > 0.0 && a != b;
}

// Whole decades around the positive finite values; false when there are none.
bool decadeBounds(const QVector<double> &values, double &low, double &high)
{
    double smallest = HUGE_VAL, largest = -HUGE_VAL;
    for (double value : values) {
        if (!(value > 0.0) || !std::isfinite(value))
            continue;
        smallest = std::min(smallest, value);
        largest = std::max(largest, value);
    }
    if (smallest > largest)
        return false;
    const double lowExponent = std::floor(std::log10(smallest));
    double highExponent = std::ceil(std::log10(largest));
    if (highExponent <= lowExponent)
        highExponent = lowExponent + 1.0;
    low = std::pow(10.0, lowExponent);
    high = std::pow(10.0, highExponent);
    return true;
}

QwtInterval normalizedScale(const QwtPlotGraph *plot, int axisId)
{
    const QwtScaleDiv &div = plot->axisScaleDiv(axisId);
    return QwtInterval(div.lowerBound(), div.upperBound()).normalized();
}

QwtText axisTitle(const QString &text)
{
    QwtText title(text);
    QFont font = title.font();
    font.setBold(false);
    title.setFont(font);
    return title;
}

void collect(const ImpedanceEditState &state, QVector<double> &freq, QVector<double> &rho,
             QVector<double> &bostickRho, QVector<double> &depth)
{
    for (const CurveEdit &edit : state)
        for (const OneFreqImpedance &point : edit.points) {
            freq.append(point.freq);
            rho.append(point.rho);
            bostickRho.append(point.bostickRho);
            depth.append(point.bostickDepth);
        }
}

} // namespace

ImpedancePlots::ImpedancePlots(QWidget *parent)
    : outer(new QSplitter(Qt::Horizontal, parent)),
      frequencyColumn(new QSplitter(Qt::Vertical, outer)),
      rhoPlot(new QwtPlotGraph(frequencyColumn)),
      phasePlot(new QwtPlotGraph(frequencyColumn)),
      coherencyPlot(new QwtPlotGraph(frequencyColumn)),
      bostickPlot(new QwtPlotGraph(outer))
{
    outer->setStyleSheet(kHandleStyle);
    frequencyColumn->setStyleSheet(kHandleStyle);
    outer->setChildrenCollapsible(false);
    frequencyColumn->setChildrenCollapsible(false);
    buildResistivityPlot();
    buildPhasePlot();
    buildCoherencyPlot();
    buildTrueResistivityPlot();
    // Resistivity gets the most room, as sounding curves are read; the stretch factors hold on
    // the first layout, where sizes set before it would be lost.
    frequencyColumn->setStretchFactor(0, 5);
    frequencyColumn->setStretchFactor(1, 3);
    frequencyColumn->setStretchFactor(2, 2);
    outer->setStretchFactor(0, 3);
    outer->setStretchFactor(1, 1);
    for (QwtPlotGraph *plot : frequencyPlots())
        QObject::connect(plot, &QwtPlotGraph::signalZoomed, plot,
                         [this, plot] { followFrequencyAxis(plot); });
}

QList<QwtPlotGraph *> ImpedancePlots::all() const
{
    return {rhoPlot, phasePlot, coherencyPlot, bostickPlot};
}

QList<QwtPlotGraph *> ImpedancePlots::frequencyPlots() const
{
    return {rhoPlot, phasePlot, coherencyPlot};
}

void ImpedancePlots::setFrequencyAxis(QwtPlotGraph *plot, bool labelled)
{
    plot->setLogAxis(QwtPlot::xBottom, true);
    plot->setAxisScale(QwtPlot::xBottom, 10000.0, 0.001);
    if (labelled)
        plot->setAxisTitle(QwtPlot::xBottom, axisTitle(QStringLiteral("频率(Hz)")));
    else
        plot->axisScaleDraw(QwtPlot::xBottom)->enableComponent(QwtAbstractScaleDraw::Labels, false);
}

void ImpedancePlots::buildResistivityPlot()
{
    setFrequencyAxis(rhoPlot, false);
    rhoPlot->setLogAxis(QwtPlot::yLeft);
    rhoPlot->setAxisTitle(QwtPlot::yLeft, axisTitle(QStringLiteral("视电阻率 (ohm-m)")));
    rhoPlot->setAxisScale(QwtPlot::yLeft, kLowestResistivityScale, kHighestResistivityScale);
    auto *legend = new QwtLegend;
    legend->setMaxColumns(6);
    rhoPlot->insertLegend(legend, QwtPlot::TopLegend);
    rhoPlot->picker()->setEditMode(Graph_Picker::ModeSinglePoint);
}

void ImpedancePlots::buildPhasePlot()
{
    setFrequencyAxis(phasePlot, false);
    phasePlot->setAxisTitle(QwtPlot::yLeft, axisTitle(QStringLiteral("相位(°)")));
    phasePlot->setAxisScale(QwtPlot::yLeft, 0.0, 90.0, 45.0);
    phasePlot->setAxisMaxMajor(QwtPlot::yLeft, 2);
    phasePlot->picker()->setEditMode(Graph_Picker::ModeSinglePoint);
}

void ImpedancePlots::buildCoherencyPlot()
{
    setFrequencyAxis(coherencyPlot, true);
    coherencyPlot->setAxisTitle(QwtPlot::yLeft, axisTitle(QStringLiteral("相干度")));
    coherencyPlot->setAxisScale(QwtPlot::yLeft, 0.0, 1.0, 0.5);
}

void ImpedancePlots::buildTrueResistivityPlot()
{
    bostickPlot->setLogAxis(QwtPlot::xBottom);
    bostickPlot->setLogAxis(QwtPlot::yLeft, true);
    const QwtText title = axisTitle(QStringLiteral("真电阻率(ohm-m)"));
    bostickPlot->setAxisTitle(QwtPlot::xBottom, title);
    bostickPlot->setAxisTitle(QwtPlot::yLeft, axisTitle(QStringLiteral("深度(m)")));
    bostickPlot->setAxisScale(QwtPlot::xBottom, 1.0, 10000.0);
    bostickPlot->setAxisScale(QwtPlot::yLeft, 100000.0, 10.0);
    // However narrow the window, the plot keeps room for its resistivity title beside the depth
    // scale (at 1280 px the title was cut at both ends): the title is centred under the canvas,
    // which the scale's end labels and the frame narrow on both sides.
    constexpr int kTitleMargin = 32;
    const int titleWidth = QFontMetrics(title.font()).horizontalAdvance(title.text());
    bostickPlot->setMinimumWidth(bostickPlot->axisWidget(QwtPlot::yLeft)->minimumSizeHint().width()
                                 + titleWidth + 2 * kTitleMargin);
}

bool ImpedancePlots::setFrequencyRange(double high, double low)
{
    if (!isValidRange(high, low))
        return false;
    for (QwtPlotGraph *plot : frequencyPlots()) {
        plot->setAxisScale(QwtPlot::xBottom, std::max(high, low), std::min(high, low));
        plot->forgetZoom();
    }
    return true;
}

bool ImpedancePlots::setResistivityRange(double low, double high)
{
    if (!isValidRange(low, high))
        return false;
    rhoPlot->setAxisScale(QwtPlot::yLeft, std::min(low, high), std::max(low, high));
    rhoPlot->forgetZoom();
    return true;
}

bool ImpedancePlots::setTrueResistivityRange(double low, double high)
{
    if (!isValidRange(low, high))
        return false;
    bostickPlot->setAxisScale(QwtPlot::xBottom, std::min(low, high), std::max(low, high));
    bostickPlot->forgetZoom();
    return true;
}

bool ImpedancePlots::setDepthRange(double deep, double shallow)
{
    if (!isValidRange(deep, shallow))
        return false;
    bostickPlot->setAxisScale(QwtPlot::yLeft, std::max(deep, shallow), std::min(deep, shallow));
    bostickPlot->forgetZoom();
    return true;
}

QwtInterval ImpedancePlots::frequencyRange() const
{
    return normalizedScale(rhoPlot, QwtPlot::xBottom);
}

QwtInterval ImpedancePlots::resistivityRange() const
{
    return normalizedScale(rhoPlot, QwtPlot::yLeft);
}

QwtInterval ImpedancePlots::trueResistivityRange() const
{
    return normalizedScale(bostickPlot, QwtPlot::xBottom);
}

QwtInterval ImpedancePlots::depthRange() const
{
    return normalizedScale(bostickPlot, QwtPlot::yLeft);
}

void ImpedancePlots::fitTo(const ImpedanceEditState &state)
{
    QVector<double> freq, rho, bostickRho, depth;
    collect(state, freq, rho, bostickRho, depth);
    rho << kLowestResistivityScale << kHighestResistivityScale;
    double low = 0.0, high = 0.0;
    if (decadeBounds(freq, low, high))
        setFrequencyRange(high, low);
    if (decadeBounds(rho, low, high))
        setResistivityRange(low, high);
    if (decadeBounds(bostickRho, low, high))
        setTrueResistivityRange(low, high);
    if (decadeBounds(depth, low, high))
        setDepthRange(high, low);
}

void ImpedancePlots::setStationTitle(const QString &title)
{
    QwtText text(title);
    QFont font = text.font();
    font.setPointSizeF(font.pointSizeF() * 1.1);
    text.setFont(font);
    rhoPlot->setTitle(text);
}

void ImpedancePlots::replotAll()
{
    for (QwtPlotGraph *plot : all())
        plot->updateAxes();
    PlotColumnAlignment::align(frequencyPlots());
    for (QwtPlotGraph *plot : all())
        plot->replot();
}

void ImpedancePlots::followFrequencyAxis(QwtPlotGraph *source)
{
    const QwtScaleDiv &div = source->axisScaleDiv(QwtPlot::xBottom);
    for (QwtPlotGraph *plot : frequencyPlots()) {
        if (plot == source)
            continue;
        plot->setAxisScale(QwtPlot::xBottom, div.lowerBound(), div.upperBound());
        plot->replot();
    }
}
