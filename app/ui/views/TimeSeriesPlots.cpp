#include "TimeSeriesPlots.h"

#include "PlotColumnAlignment.h"
#include "QwtPlotGraph.h"

#include <QScrollBar>
#include <algorithm>
#include <QSplitter>
#include <QVBoxLayout>
#include <qwt_legend.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_engine.h>
#include <qwt_symbol.h>
#include <qwt_text.h>

namespace {

const char *const kHandleStyle = "QSplitter::handle { background-color: white }";
const char *const kLabels[kChannelSlotCount] = {"E0", "E1", "E2", "Hx", "Hy"};
const QColor kChannelColours[kChannelSlotCount] = {QColor(178, 34, 34), QColor(30, 70, 170),
                                                   QColor(25, 120, 50), QColor(120, 50, 150),
                                                   QColor(190, 100, 0)};
const QColor kCoherencyColours[] = {QColor(200, 30, 30), QColor(30, 70, 190), QColor(25, 130, 50),
                                    QColor(120, 50, 150)};
constexpr int kCoherencyColourCount = sizeof(kCoherencyColours) / sizeof(kCoherencyColours[0]);
constexpr int kFallbackColumns = 800;   // before the plots are laid out
constexpr int kSmallestColumnCount = 100;
constexpr int kCompactMajorTicks = 4;  // labelled values on the y axis of a compact row

// Titles wrap between words when the axis is shorter than they are (channel and unit on two
// lines on a compact plot) instead of being clipped.
QwtText axisTitle(const QString &text)
{
    QwtText title(text);
    title.setRenderFlags(Qt::AlignCenter | Qt::TextWordWrap);
    QFont font = title.font();
    font.setBold(false);
    title.setFont(font);
    return title;
}

QwtSymbol *markerOf(const QColor &colour)
{
    return new QwtSymbol(QwtSymbol::Ellipse, QBrush(colour), QPen(colour), QSize(5, 5));
}

void setLinearAxis(QwtPlotGraph *plot, int axisId)
{
    plot->setAxisScaleEngine(axisId, new QwtLinearScaleEngine);
    plot->setAxisScaleDraw(axisId, new QwtScaleDraw);
    plot->setAxisMaxMinor(axisId, 5);
    plot->setAxisMaxMajor(axisId, axisId == QwtPlot::yLeft ? kCompactMajorTicks : 8);
}

} // namespace

TimeSeriesPlots::TimeSeriesPlots(QWidget *parent)
    : outer(new QSplitter(Qt::Horizontal, parent)), column(new QSplitter(Qt::Vertical)),
      pager(new QScrollBar(Qt::Horizontal))
{
    auto *left = new QWidget(outer);
    auto *layout = new QVBoxLayout(left);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(column, 1);
    layout->addWidget(pager);
    outer->setStyleSheet(kHandleStyle);
    column->setStyleSheet(kHandleStyle);
    column->setChildrenCollapsible(false);
    outer->setChildrenCollapsible(false);
    pager->setObjectName(QStringLiteral("horizontalScrollBar"));
    for (int slot = 0; slot < kChannelSlotCount; ++slot)
        buildChannelPlot(slot);
    buildCoherencyPlot();
    outer->setStretchFactor(0, 3);
    outer->setStretchFactor(1, 1);
    arrange({Slot_Ex, Slot_Ey, Slot_Ex2, Slot_Hx, Slot_Hy});
    setScales(LinearScales, QString());
}

QString TimeSeriesPlots::channelLabel(int slot)
{
    return QString::fromLatin1(kLabels[slot]);
}

void TimeSeriesPlots::buildChannelPlot(int slot)
{
    auto *plot = new QwtPlotGraph(column);
    plot->setObjectName(QStringLiteral("plot") + channelLabel(slot));
    plot->canvas()->setMouseTracking(true);
    plot->setMinimumHeight(60);
    auto *curve = new QwtPlotCurve(channelLabel(slot));
    curve->setPen(kChannelColours[slot], 0.0);
    curve->setRenderHint(QwtPlotItem::RenderAntialiased, false);
    curve->attach(plot);
    plots[slot] = plot;
    curves[slot] = curve;
    setUnit(slot, QString());
}

void TimeSeriesPlots::buildCoherencyPlot()
{
    coherency = new QwtPlotGraph(outer);
    coherency->setObjectName(QStringLiteral("plotCoherency"));
    coherency->canvas()->setMouseTracking(true);
    coherency->setLogAxis(QwtPlot::xBottom);
    coherency->setAxisScale(QwtPlot::yLeft, 0.0, 1.0, 0.2);
    coherency->setAxisTitle(QwtPlot::yLeft, axisTitle(QStringLiteral("相干度")));
    auto *legend = new QwtLegend;
    legend->setMaxColumns(2);
    coherency->insertLegend(legend, QwtPlot::TopLegend);
    coherency->hide();
}

QList<QwtPlotGraph *> TimeSeriesPlots::shownPlots() const
{
    QList<QwtPlotGraph *> shown;
    for (int slot : order)
        shown.append(plots[slot]);
    return shown;
}

QList<QwtPlotGraph *> TimeSeriesPlots::xLinkedPlots() const
{
    QList<QwtPlotGraph *> linked = shownPlots();
    if (!coherency->isHidden())
        linked.append(coherency);
    return linked;
}

void TimeSeriesPlots::arrange(const QList<int> &shownList)
{
    order.clear();
    for (int slot : shownList)
        if (slot >= 0 && slot < kChannelSlotCount && !order.contains(slot))
            order.append(slot);
    for (int slot = 0; slot < kChannelSlotCount; ++slot)
        plots[slot]->setVisible(order.contains(slot));
    for (int position = 0; position < order.size(); ++position)
        column->insertWidget(position, plots[order[position]]);
    setTitle(title);
    applyXLabels();
}

void TimeSeriesPlots::setScales(Scales scales, const QString &newXTitle)
{
    xTitle = newXTitle;
    for (QwtPlotGraph *plot : plots) {
        for (int axisId : {int(QwtPlot::xBottom), int(QwtPlot::yLeft)}) {
            if (scales == LogScales)
                plot->setLogAxis(axisId);
            else
                setLinearAxis(plot, axisId);
        }
        plot->setAxisAutoScale(QwtPlot::yLeft, true);
    }
    coherency->setAxisTitle(QwtPlot::xBottom, axisTitle(xTitle));
    applyXLabels();
}

void TimeSeriesPlots::applyXLabels()
{
    for (QwtPlotGraph *plot : plots) {
        const bool lowest = !order.isEmpty() && plot == plots[order.last()];
        plot->axisScaleDraw(QwtPlot::xBottom)->enableComponent(QwtAbstractScaleDraw::Labels, lowest);
        plot->setAxisTitle(QwtPlot::xBottom, axisTitle(lowest ? xTitle : QString()));
    }
}

void TimeSeriesPlots::setUnit(int slot, const QString &unit)
{
    const QString text = unit.isEmpty() ? channelLabel(slot)
                                        : QStringLiteral("%1 (%2)").arg(channelLabel(slot), unit);
    plots[slot]->setAxisTitle(QwtPlot::yLeft, axisTitle(text));
}

void TimeSeriesPlots::setTitle(const QString &newTitle)
{
    title = newTitle;
    QwtText text(title);
    QFont font = text.font();
    font.setBold(true);
    text.setFont(font);
    for (QwtPlotGraph *plot : plots)
        plot->setTitle(!order.isEmpty() && plot == plots[order.first()] ? text : QwtText());
}

// A splitter gives a child that reappears only its smallest size; the coherency plot gets its
// quarter of the width back whenever it reappears.
void TimeSeriesPlots::setCoherencyShown(bool shown)
{
    const bool appearing = shown && coherency->isHidden();
    coherency->setVisible(shown);
    if (appearing) {
        const int total = std::max(outer->width(), 4);
        outer->setSizes({total - total / 4, total / 4});
    }
}

void TimeSeriesPlots::setPagerShown(bool shown)
{
    pager->setVisible(shown);
}

void TimeSeriesPlots::setCurve(int slot, const QVector<QPointF> &points, bool markers)
{
    QwtPlotCurve *curve = curves[slot];
    curve->setSymbol(markers ? markerOf(kChannelColours[slot]) : nullptr);
    curve->setSamples(points);
}

void TimeSeriesPlots::setCoherencyCurves(const QList<NamedPoints> &named)
{
    qDeleteAll(coherencyCurves);  // a deleted item detaches itself from its plot
    coherencyCurves.clear();
    for (int i = 0; i < named.size(); ++i) {
        const QColor colour = kCoherencyColours[i % kCoherencyColourCount];
        auto *curve = new QwtPlotCurve(named[i].first);
        curve->setPen(colour, 1.2);
        curve->setSymbol(markerOf(colour));
        curve->setRenderHint(QwtPlotItem::RenderAntialiased, true);
        curve->setSamples(named[i].second);
        curve->attach(coherency);
        coherencyCurves.append(curve);
    }
}

void TimeSeriesPlots::setXRange(double low, double high)
{
    for (QwtPlotGraph *plot : plots) {
        plot->setAxisScale(QwtPlot::xBottom, low, high);
        plot->setAxisAutoScale(QwtPlot::yLeft, true);
    }
    coherency->setAxisScale(QwtPlot::xBottom, low, high);
}

void TimeSeriesPlots::forgetZooms()
{
    for (QwtPlotGraph *plot : plots)
        plot->forgetZoom();
    coherency->forgetZoom();
}

int TimeSeriesPlots::columnCount() const
{
    const int width = order.isEmpty() ? 0 : plots[order.first()]->canvas()->width();
    return width < kSmallestColumnCount ? kFallbackColumns : width;
}

// The top plot carries the title and the lowest the x axis; they get that much more height, so
// that every channel has a canvas of the same height.
void TimeSeriesPlots::balanceCanvasHeights()
{
    const QList<QwtPlotGraph *> shown = shownPlots();
    int total = 0, overhead = 0;
    for (QwtPlotGraph *plot : shown) {
        plot->updateLayout();
        total += plot->height();
        overhead += plot->height() - plot->canvas()->height();
    }
    const int canvasHeight = shown.isEmpty() ? 0 : (total - overhead) / shown.size();
    if (shown.size() < 2 || canvasHeight <= 0)
        return;
    QList<int> sizes = column->sizes();
    for (QwtPlotGraph *plot : shown)
        sizes[column->indexOf(plot)] = canvasHeight + plot->height() - plot->canvas()->height();
    column->setSizes(sizes);
}

void TimeSeriesPlots::replotAll()
{
    const QList<QwtPlotGraph *> linked = xLinkedPlots();
    for (QwtPlotGraph *plot : linked)
        plot->updateAxes();
    PlotColumnAlignment::align(shownPlots());
    for (QwtPlotGraph *plot : linked)
        plot->replot();
}
