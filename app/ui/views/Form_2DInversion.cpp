#include "Form_2DInversion.h"

#include <QAction>
#include <QCheckBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_spectrogram.h>
#include <qwt_scale_engine.h>
#include <qwt_scale_widget.h>
#include <qwt_symbol.h>

#include "Graph_IsoLineData.h"
#include "QwtPlotGraph.h"
#include "SectionColorMap.h"
#include "SectionDisplayData.h"
#include "StationScaleDraw.h"

namespace {
const int kSurfaceSamples = 400;  // points of the drawn topography line
const int kColourBarWidth = 18;
const int kColourBarMargin = 6;   // between the canvas and the colour bar
const double kHeadroom = 0.04;    // share of the depth span left free above the surface

// The span itself, or one around its single value (an axis needs a width), or [0, 1] without one.
QwtInterval drawableSpan(const QwtInterval &span, double halfWidth)
{
    if (!span.isValid())
        return QwtInterval(0.0, 1.0);
    if (span.width() > 0.0)
        return span;
    return QwtInterval(span.minValue() - halfWidth, span.maxValue() + halfWidth);
}
} // namespace

Form_2DInversion::Form_2DInversion(QWidget *parent) : QWidget(parent)
{
    tabWidget = new QTabWidget(this);
    tabWidget->setObjectName("tabWidget");
    auto *tab = new QWidget;
    tab->setObjectName("tab_2D");
    tabWidget->addTab(tab, "二维反演热力图");
    buildActions();
    buildPlot();
    auto *tabLayout = new QVBoxLayout(tab);
    tabLayout->setContentsMargins(4, 4, 4, 4);
    tabLayout->addLayout(toolRow());
    tabLayout->addWidget(plot, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabWidget);
}

void Form_2DInversion::buildPlot()
{
    plot = new QwtPlotGraph;
    plot->setObjectName("sectionPlot");
    plot->setCanvasBackground(SectionColorMap::backgroundColour());
    plot->addContextAction(logScaleAction);
    buildAxes();
    buildOverlays();
}

// Position along the bottom, station numbers along the top, elevation on the left and the colour
// bar on the right.
void Form_2DInversion::buildAxes()
{
    plot->setAxisTitle(QwtPlot::xBottom, "测点");
    plot->setAxisTitle(QwtPlot::yLeft, "高程 (m)");
    plot->enableAxis(QwtPlot::xTop);
    plot->setAxisScaleDraw(QwtPlot::xTop, new StationScaleDraw);
    plot->enableAxis(QwtPlot::yRight);
    plot->setAxisTitle(QwtPlot::yRight, "电阻率 (Ω·m)");
    QwtScaleWidget *bar = plot->axisWidget(QwtPlot::yRight);
    bar->setColorBarEnabled(true);
    bar->setColorBarWidth(kColourBarWidth);
    bar->setMargin(kColourBarMargin);
}

// Dashed elevation lines only (vertical lines would read as stations), the topography line and the
// station marks over the section.
void Form_2DInversion::buildOverlays()
{
    QwtPlotGrid *grid = plot->grid();
    grid->enableX(false);
    grid->enableXMin(false);
    grid->enableYMin(false);
    grid->setMajorPen(QColor(0, 0, 0, 50), 0, Qt::DashLine);
    surfaceLine = new QwtPlotCurve("地形");
    surfaceLine->setPen(QColor(40, 40, 40), 2);
    surfaceLine->setRenderHint(QwtPlotItem::RenderAntialiased);
    surfaceLine->setZ(20);
    surfaceLine->attach(plot);
    stationMarks = new QwtPlotCurve("测点");
    stationMarks->setStyle(QwtPlotCurve::NoCurve);
    stationMarks->setSymbol(new QwtSymbol(QwtSymbol::DTriangle, QBrush(Qt::black), QPen(Qt::black),
                                          QSize(8, 8)));
    stationMarks->setZ(21);
    stationMarks->attach(plot);
}

// The logarithmic-scale switch as a check box above the plot; the plot's context menu offers it
// too, beside saving the picture.
QLayout *Form_2DInversion::toolRow()
{
    auto *logScale = new QCheckBox(logScaleAction->text());
    logScale->setObjectName("checkBox_LogScale");
    logScale->setToolTip(logScaleAction->toolTip());
    connect(logScale, &QCheckBox::toggled, logScaleAction, &QAction::setChecked);
    connect(logScaleAction, &QAction::toggled, logScale, &QCheckBox::setChecked);
    auto *row = new QHBoxLayout;
    row->addWidget(logScale);
    row->addStretch();
    return row;
}

void Form_2DInversion::buildActions()
{
    logScaleAction = new QAction("对数色标", this);
    logScaleAction->setCheckable(true);
    logScaleAction->setToolTip("按电阻率的对数分配颜色");
    connect(logScaleAction, &QAction::toggled, this, &Form_2DInversion::setLogColourScale);
}

const Graph_IsoLineData *Form_2DInversion::isoLineData() const
{
    const QwtPlotSpectrogram *spectrogram = plot->spectrogram();
    return spectrogram ? static_cast<const SectionDisplayData *>(spectrogram->data())->raster() : nullptr;
}

bool Form_2DInversion::logColourScale() const
{
    return logScaleAction->isChecked();
}

void Form_2DInversion::on_signal2DISOGraphChanged(const QList<DataType_ResultData> &data,
                                                  QVector<TopoData> topodataList,
                                                  QMap<float, QColor> gradients, bool isInvert)
{
    // Depths are negative metres (and depth sections hang from elevations), so the ordinary
    // upward scale already puts the surface at the top; ordering it from the largest to the
    // smallest value would draw the section upside down.
    Q_UNUSED(isInvert);
    QwtPlotSpectrogram *spectrogram = plot->newSpectrogram();
    // The profiles' splines keep lookup accelerators, so the raster is evaluated on one thread.
    spectrogram->setRenderThreadCount(1);
    auto *raster = new Graph_IsoLineData;
    raster->setData(data, topodataList);
    spectrogram->setData(new SectionDisplayData(raster));
    setAxes();
    plot->forgetZoom();
    showTopography();
    showStations();
    plot->setTitle(tr("拟二维反演剖面图"));
    applyColourMap(gradients);
}

void Form_2DInversion::on_signalHuebarChanged(QMap<float, QColor> map)
{
    applyColourMap(map);
}

void Form_2DInversion::setLogColourScale(bool logarithmic)
{
    if (logScaleAction->isChecked() != logarithmic) {
        logScaleAction->setChecked(logarithmic);  // comes back here through toggled
        return;
    }
    applyColourMap(gradient);
}

void Form_2DInversion::applyColourMap(const QMap<float, QColor> &map)
{
    gradient = map;
    if (QwtPlotSpectrogram *spectrogram = plot->spectrogram()) {
        spectrogram->setColorMap(new SectionColorMap(gradient, logColourScale()));
        showColourBar();
    }
    plot->replot();
}

void Form_2DInversion::showColourBar()
{
    const QwtInterval z = drawableSpan(plot->spectrogram()->data()->interval(Qt::ZAxis), 1.0);
    const bool logarithmic = logColourScale() && z.minValue() > 0.0;
    plot->axisWidget(QwtPlot::yRight)
        ->setColorMap(z, new SectionColorMap(gradient, logColourScale()));
    if (logarithmic)
        plot->setAxisScaleEngine(QwtPlot::yRight, new QwtLogScaleEngine);
    else
        plot->setAxisScaleEngine(QwtPlot::yRight, new QwtLinearScaleEngine);
    plot->setAxisScale(QwtPlot::yRight, z.minValue(), z.maxValue());
}

// Position along the bottom, stations along the top; depth upwards to the higher of the section's
// top and the topography, with a little room above for the surface line and the station marks.
void Form_2DInversion::setAxes()
{
    const Graph_IsoLineData *raster = isoLineData();
    const QwtInterval x = drawableSpan(raster->interval(Qt::XAxis), 0.5);
    QwtInterval y = raster->interval(Qt::YAxis);
    for (const TopoData &point : raster->topography()) {
        if (y.isValid() && x.contains(point.position) && std::isfinite(point.elevation))
            y = y.extend(point.elevation);
    }
    y = drawableSpan(y, 1.0);
    plot->setAxisScale(QwtPlot::xBottom, x.minValue(), x.maxValue());
    plot->setAxisScale(QwtPlot::yLeft, y.minValue(), y.maxValue() + kHeadroom * y.width());
    QList<double> positions;
    for (const DataType_ResultData &station : raster->profiles())
        positions.append(station.position);
    plot->setAxisScaleDiv(QwtPlot::xTop, StationScaleDraw::stationDivision(positions));
}

void Form_2DInversion::showTopography()
{
    const Graph_IsoLineData *raster = isoLineData();
    const QwtInterval x = raster->interval(Qt::XAxis);
    QVector<QPointF> line;
    if (x.isValid() && x.width() > 0.0 && !raster->topography().isEmpty()) {
        for (int i = 0; i <= kSurfaceSamples; ++i) {
            const double position = x.minValue() + x.width() * i / kSurfaceSamples;
            line.append(QPointF(position, raster->elevationAt(position)));
        }
    }
    surfaceLine->setSamples(line);
}

// A mark on the surface above every station (at the section's top without topography).
void Form_2DInversion::showStations()
{
    const Graph_IsoLineData *raster = isoLineData();
    QVector<QPointF> marks;
    for (const DataType_ResultData &station : raster->profiles()) {
        const double surface = raster->elevationAt(station.position);
        marks.append(QPointF(station.position, std::isfinite(surface)
                                                   ? surface
                                                   : raster->interval(Qt::YAxis).maxValue()));
    }
    stationMarks->setSamples(marks);
}
