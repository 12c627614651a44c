#include "Graph_Picker.h"

#include "CurveSamples.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QRubberBand>
#include <QWheelEvent>
#include <cmath>
#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_symbol.h>

namespace {

// A rubber band smaller than this (pixels, either side) is a click, not a zoom request.
constexpr int kSmallestRubberBand = 5;

bool isEditable(const QwtPlotItem *item, const QwtPlotCurve *highlight)
{
    return item->rtti() == QwtPlotItem::Rtti_PlotCurve && item->isVisible() && item != highlight;
}

} // namespace

Graph_Picker::Graph_Picker(QwtPlot *owner) : QObject(owner), plot(owner)
{
    QWidget *canvas = plot->canvas();
    canvas->setFocusPolicy(Qt::StrongFocus);
    canvas->setMouseTracking(false);
    if (auto *plotCanvas = qobject_cast<QwtPlotCanvas *>(canvas))
        plotCanvas->setFocusIndicator(QwtPlotCanvas::CanvasFocusIndicator);
    canvas->installEventFilter(this);
    watchedCanvas = canvas;
}

void Graph_Picker::setEditMode(int newMode)
{
    mode = (newMode == ModeWholeCurve || newMode == ModeSinglePoint) ? newMode : ModeNone;
    clearSelection();
    if (mode != ModeNone)
        createHighlight();
}

void Graph_Picker::clearSelection()
{
    curve = nullptr;
    index = -1;
    dragged = false;
    hideHighlight();
}

bool Graph_Picker::pointNear(const QPoint &pos, QwtPlotCurve *&nearestCurve,
                             int &nearestIndex) const
{
    double best = kPickRadius;
    nearestCurve = nullptr;
    nearestIndex = -1;
    for (QwtPlotItem *item : plot->itemList(QwtPlotItem::Rtti_PlotCurve)) {
        if (!isEditable(item, highlight))
            continue;
        auto *candidate = static_cast<QwtPlotCurve *>(item);
        double distance = 0.0;
        const int i = candidate->closestPoint(pos, &distance);
        if (i >= 0 && distance < best) {
            best = distance;
            nearestCurve = candidate;
            nearestIndex = i;
        }
    }
    return nearestCurve != nullptr;
}

bool Graph_Picker::eventFilter(QObject *watched, QEvent *event)
{
    if (watchedCanvas.isNull() || watched != watchedCanvas.data())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: return mousePressed(static_cast<QMouseEvent *>(event));
    case QEvent::MouseMove: return mouseMoved(static_cast<QMouseEvent *>(event));
    case QEvent::MouseButtonRelease: return mouseReleased(static_cast<QMouseEvent *>(event));
    case QEvent::MouseButtonDblClick: return mouseDoubleClicked(static_cast<QMouseEvent *>(event));
    case QEvent::Wheel: return wheelTurned(static_cast<QWheelEvent *>(event));
    case QEvent::KeyPress: return keyPressed(static_cast<QKeyEvent *>(event));
    default: return false;
    }
}

bool Graph_Picker::mousePressed(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    if (mode == ModeNone) {
        startRubberBand(event->pos());
        return true;
    }
    QwtPlotCurve *picked = nullptr;
    int pickedIndex = -1;
    if (pointNear(event->pos(), picked, pickedIndex))
        select(picked, pickedIndex);
    else
        clearSelection();
    plot->replot();
    return true;
}

bool Graph_Picker::mouseMoved(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return false;
    if (rubberBand) {
        rubberBand->setGeometry(QRect(rubberOrigin, clampedToCanvas(event->pos())).normalized());
        return true;
    }
    if (!curve)
        return false;
    dragSelectionTo(clampedToCanvas(event->pos()));
    return true;
}

bool Graph_Picker::mouseReleased(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    if (rubberBand) {
        finishRubberBand();
        return true;
    }
    if (!curve || !dragged)
        return false;
    emit signal_movefinished();
    clearSelection();
    plot->replot();
    return true;
}

bool Graph_Picker::mouseDoubleClicked(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    QwtPlotCurve *picked = nullptr;
    int pickedIndex = -1;
    if (pointNear(event->pos(), picked, pickedIndex))
        emit signal_DBclick(picked);
    else
        emit siganl_ClearDBclick();
    return true;
}

bool Graph_Picker::wheelTurned(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return false;
    emit signal_ZoomScale(delta > 0, event->position().toPoint());
    return true;
}

bool Graph_Picker::keyPressed(QKeyEvent *event)
{
    if (!curve)
        return false;
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        emit signal_MaskRequested(curve, index);
        return true;
    }
    if (event->key() == Qt::Key_Escape) {
        clearSelection();
        plot->replot();
        return true;
    }
    return false;
}

void Graph_Picker::select(QwtPlotCurve *picked, int pickedIndex)
{
    curve = picked;
    index = pickedIndex;
    dragged = false;
    showHighlight();
}

void Graph_Picker::dragSelectionTo(const QPoint &pos)
{
    const double y = plot->invTransform(curve->yAxis(), pos.y());
    if (mode == ModeSinglePoint)
        moveSinglePoint(y);
    else if (mode == ModeWholeCurve)
        moveWholeCurve(y);
    dragged = true;
    showHighlight();
    plot->replot();
    emit siganl_DataChanged();
}

void Graph_Picker::moveSinglePoint(double y)
{
    QVector<QPointF> points = curveSamples(*curve);
    points[index].setY(y);
    curve->setSamples(points);
}

// Shifts every point by the same step in log10(y), so the ratios between points are kept.
void Graph_Picker::moveWholeCurve(double y)
{
    QVector<QPointF> points = curveSamples(*curve);
    const double anchor = points[index].y();
    if (!(anchor > 0.0) || !(y > 0.0))
        return;
    const double d = std::log10(y) - std::log10(anchor);
    for (QPointF &point : points)
        point.setY(std::pow(10.0, std::log10(point.y()) + d));
    points[index].setY(y);
    curve->setSamples(points);
}

// Mode 2 marks the selected point, mode 1 every point of the curve that moves.
void Graph_Picker::showHighlight()
{
    if (!highlight || !curve)
        return;
    const QVector<QPointF> points = curveSamples(*curve);
    highlight->setAxes(curve->xAxis(), curve->yAxis());
    if (mode == ModeWholeCurve)
        highlight->setSamples(points);
    else
        highlight->setSamples(QVector<QPointF>{points.value(index)});
    highlight->setVisible(true);
}

void Graph_Picker::hideHighlight()
{
    if (highlight)
        highlight->setVisible(false);
}

void Graph_Picker::createHighlight()
{
    if (highlight)
        return;
    highlight = new QwtPlotCurve(QStringLiteral("selection"));
    highlight->setStyle(QwtPlotCurve::NoCurve);
    highlight->setSymbol(new QwtSymbol(QwtSymbol::Ellipse, Qt::NoBrush, QPen(Qt::magenta, 6),
                                       QSize(6, 6)));
    highlight->setZ(99);
    highlight->setItemAttribute(QwtPlotItem::Legend, false);
    highlight->setItemAttribute(QwtPlotItem::AutoScale, false);
    highlight->attach(plot);
    highlight->setVisible(false);
}

void Graph_Picker::startRubberBand(const QPoint &pos)
{
    rubberOrigin = clampedToCanvas(pos);
    rubberBand = new QRubberBand(QRubberBand::Rectangle, plot->canvas());
    rubberBand->setGeometry(QRect(rubberOrigin, QSize()));
    rubberBand->show();
}

void Graph_Picker::finishRubberBand()
{
    const QRect band = rubberBand->geometry();
    delete rubberBand;
    if (band.width() >= kSmallestRubberBand && band.height() >= kSmallestRubberBand)
        emit signal_ZoomRect(band);
}

QPoint Graph_Picker::clampedToCanvas(const QPoint &pos) const
{
    const QRect area = plot->canvas()->contentsRect();
    return QPoint(qBound(area.left(), pos.x(), area.right()),
                  qBound(area.top(), pos.y(), area.bottom()));
}
