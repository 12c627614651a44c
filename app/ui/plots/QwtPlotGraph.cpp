#include "QwtPlotGraph.h"

#include "Graph_LogScaleDraw.h"
#include "Graph_Picker.h"
#include "Graph_SoundingCurve.h"

#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <cmath>
#include <qwt_plot_canvas.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_layout.h>
#include <qwt_plot_renderer.h>
#include <qwt_plot_spectrogram.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_engine.h>
#include <qwt_scale_widget.h>

namespace {

const int kZoomAxes[] = {QwtPlot::xBottom, QwtPlot::yLeft};
constexpr double kMillimetresPerInch = 25.4;
constexpr int kScreenDpi = 96;
constexpr int kOuterMargin = 5;   // pixels between the plot's edge and its axis titles

bool isHorizontal(int axisId)
{
    return axisId == QwtPlot::xBottom || axisId == QwtPlot::xTop;
}

} // namespace

QwtPlotGraph::QwtPlotGraph(QWidget *parent) : QwtPlot(parent)
{
    setAutoReplot(false);
    applyFrameSettings();
    applyAxisSettings();
    createGrid();
    curvePicker = new Graph_Picker(this);
    connectPicker();
    canvas()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(canvas(), &QWidget::customContextMenuRequested, this, &QwtPlotGraph::showContextMenu);
}

void QwtPlotGraph::applyFrameSettings()
{
    setLineWidth(1);
    setContentsMargins(kOuterMargin, kOuterMargin, kOuterMargin, kOuterMargin);
    setCanvasBackground(Qt::white);
    if (auto *plotCanvas = qobject_cast<QwtPlotCanvas *>(canvas())) {
        plotCanvas->setFrameStyle(QFrame::Box | QFrame::Plain);
        plotCanvas->setLineWidth(1);
        QPalette frame = plotCanvas->palette();
        frame.setColor(QPalette::WindowText, QColor(60, 60, 60));
        plotCanvas->setPalette(frame);
    }
    plotLayout()->setCanvasMargin(0);
    plotLayout()->setAlignCanvasToScales(true);
}

void QwtPlotGraph::applyAxisSettings()
{
    for (int axisId = 0; axisId < QwtPlot::axisCnt; ++axisId) {
        axisWidget(axisId)->setMargin(0);
        axisScaleDraw(axisId)->enableComponent(QwtAbstractScaleDraw::Backbone, true);
    }
}

void QwtPlotGraph::createGrid()
{
    plotGrid = new QwtPlotGrid;
    plotGrid->enableX(true);
    plotGrid->enableY(true);
    plotGrid->enableXMin(true);
    plotGrid->enableYMin(true);
    plotGrid->setMajorPen(QColor(170, 170, 170), 0.0, Qt::DashLine);
    plotGrid->setMinorPen(QColor(210, 210, 210), 0.0, Qt::DotLine);
    plotGrid->attach(this);
}

void QwtPlotGraph::connectPicker()
{
    connect(curvePicker, &Graph_Picker::signal_movefinished, this,
            &QwtPlotGraph::signalMoveFinished);
    connect(curvePicker, &Graph_Picker::signal_MaskRequested, this,
            &QwtPlotGraph::signalMaskRequested);
    connect(curvePicker, &Graph_Picker::signal_ZoomScale, this, &QwtPlotGraph::zoomAt);
    connect(curvePicker, &Graph_Picker::signal_ZoomRect, this, &QwtPlotGraph::zoomToRect);
    connect(curvePicker, &Graph_Picker::siganl_ClearDBclick, this, &QwtPlotGraph::zoomHome);
}

void QwtPlotGraph::setLogAxis(int axisId, bool inverted)
{
    auto *engine = new QwtLogScaleEngine(10);
    engine->setAttribute(QwtScaleEngine::Inverted, inverted);
    setAxisScaleEngine(axisId, engine);
    setAxisScaleDraw(axisId, new Graph_LogScaleDraw);
    setAxisMaxMinor(axisId, 9);
}

QwtPlotSpectrogram *QwtPlotGraph::newSpectrogram()
{
    if (sectionSpectrogram) {
        sectionSpectrogram->detach();
        delete sectionSpectrogram;
    }
    sectionSpectrogram = new QwtPlotSpectrogram;
    sectionSpectrogram->attach(this);
    return sectionSpectrogram;
}

void QwtPlotGraph::zoomAt(bool in, const QPoint &pos)
{
    rememberHome();
    const double factor = in ? kWheelZoomStep : 1.0 / kWheelZoomStep;
    for (int axisId : kZoomAxes) {
        const QwtScaleMap map = canvasMap(axisId);
        const double centre = isHorizontal(axisId) ? pos.x() : pos.y();
        setScaleFromPixels(axisId, centre + (map.p1() - centre) * factor,
                           centre + (map.p2() - centre) * factor);
    }
    replot();
    emit signalZoomed();
}

void QwtPlotGraph::zoomToRect(const QRect &canvasRect)
{
    rememberHome();
    for (int axisId : kZoomAxes) {
        const QwtScaleMap map = canvasMap(axisId);
        double first = isHorizontal(axisId) ? canvasRect.left() : canvasRect.top();
        double second = isHorizontal(axisId) ? canvasRect.right() : canvasRect.bottom();
        if (std::abs(second - map.p1()) < std::abs(first - map.p1()))
            std::swap(first, second);
        setScaleFromPixels(axisId, first, second);
    }
    replot();
    emit signalZoomed();
}

void QwtPlotGraph::zoomHome()
{
    if (homeScales.isEmpty())
        return;
    for (const auto &scale : qAsConst(homeScales))
        setAxisScale(scale.first, scale.second.first, scale.second.second);
    homeScales.clear();
    replot();
    emit signalZoomed();
}

void QwtPlotGraph::rememberHome()
{
    if (!homeScales.isEmpty())
        return;
    for (int axisId : kZoomAxes) {
        const QwtScaleDiv &div = axisScaleDiv(axisId);
        homeScales.append({axisId, {div.lowerBound(), div.upperBound()}});
    }
}

bool QwtPlotGraph::setScaleFromPixels(int axisId, double firstPixel, double secondPixel)
{
    const QwtScaleMap map = canvasMap(axisId);
    const double first = map.invTransform(firstPixel);
    const double second = map.invTransform(secondPixel);
    const double span = std::abs(second - first);
    if (!std::isfinite(first) || !std::isfinite(second)
        || span <= 1e-12 * std::max(std::abs(first), std::abs(second)))
        return false;
    setAxisScale(axisId, first, second);
    return true;
}

bool QwtPlotGraph::saveImage(const QString &fileName)
{
    QwtPlotRenderer renderer;
    if (fileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QFile::remove(fileName);
        const QSizeF sizeMm = QSizeF(size()) * kMillimetresPerInch / kScreenDpi;
        renderer.renderDocument(this, fileName, QStringLiteral("svg"), sizeMm, kScreenDpi);
        return QFile(fileName).size() > 0;
    }
    QImage image(size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    renderer.renderTo(this, image);
    return image.save(fileName, "PNG");
}

// QwtPlot filters its canvas's events already; Home is added to what it handles.
bool QwtPlotGraph::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == canvas() && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Home) {
        zoomHome();
        return true;
    }
    return QwtPlot::eventFilter(watched, event);
}

void QwtPlotGraph::showContextMenu(const QPoint &pos)
{
    QMenu menu(this);
    addMaskAction(menu, pos);
    QAction *home = menu.addAction(QStringLiteral("全图显示"), this, &QwtPlotGraph::zoomHome);
    home->setEnabled(isZoomed());
    for (const QPointer<QAction> &action : qAsConst(contextActions))
        if (action)
            menu.addAction(action);
    menu.addSeparator();
    menu.addAction(QStringLiteral("保存为 PNG 图片..."), this, [this] {
        saveThroughDialog(QStringLiteral("PNG 图片 (*.png)"), QStringLiteral(".png"));
    });
    menu.addAction(QStringLiteral("保存为 SVG 图片..."), this, [this] {
        saveThroughDialog(QStringLiteral("SVG 图片 (*.svg)"), QStringLiteral(".svg"));
    });
    menu.exec(canvas()->mapToGlobal(pos));
}

// Over a point of an editable curve, the first entry masks it (or restores a masked one).
void QwtPlotGraph::addMaskAction(QMenu &menu, const QPoint &pos)
{
    QwtPlotCurve *curve = nullptr;
    int index = -1;
    if (curvePicker->editMode() == Graph_Picker::ModeNone
        || !curvePicker->pointNear(pos, curve, index))
        return;
    const auto *sounding = dynamic_cast<const Graph_SoundingCurve *>(curve);
    const bool masked = sounding && sounding->isMasked(index);
    menu.addAction(masked ? QStringLiteral("恢复该点") : QStringLiteral("屏蔽该点"), this,
                   [this, curve, index] { emit signalMaskRequested(curve, index); });
    menu.addSeparator();
}

void QwtPlotGraph::saveThroughDialog(const QString &filter, const QString &suffix)
{
    QString fileName = QFileDialog::getSaveFileName(this, QStringLiteral("保存图片"), QString(),
                                                    filter);
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(suffix, Qt::CaseInsensitive))
        fileName += suffix;
    if (!saveImage(fileName))
        QMessageBox::warning(this, QStringLiteral("保存图片"),
                             QStringLiteral("无法写入文件 %1").arg(fileName));
}
