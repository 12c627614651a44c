#include "PlotPositionReadout.h"

#include <QApplication>
#include <QMouseEvent>
#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_scale_div.h>

namespace {

// The x and y axes a plot shows: bottom and left unless only the other one is enabled.
int shownAxis(const QwtPlot &plot, int preferred, int other)
{
    return plot.axisEnabled(preferred) || !plot.axisEnabled(other) ? preferred : other;
}

QString axisReading(const QwtPlot &plot, int axis, double pixel)
{
    const double value = plot.invTransform(axis, pixel);
    QString title = plot.axisTitle(axis).text();
    if (title.isEmpty())
        title = axis == QwtPlot::xBottom || axis == QwtPlot::xTop ? QStringLiteral("x")
                                                                   : QStringLiteral("y");
    return title + QLatin1Char(' ') + QString::number(value, 'g', 5);
}

} // namespace

PlotPositionReadout::PlotPositionReadout(QWidget *window) : QObject(window), window(window)
{
    qApp->installEventFilter(this);
}

QString PlotPositionReadout::describe(const QwtPlot &plot, const QPoint &canvasPosition)
{
    const int x = shownAxis(plot, QwtPlot::xBottom, QwtPlot::xTop);
    const int y = shownAxis(plot, QwtPlot::yLeft, QwtPlot::yRight);
    return axisReading(plot, x, canvasPosition.x()) + QStringLiteral("    ")
           + axisReading(plot, y, canvasPosition.y());
}

bool PlotPositionReadout::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::Leave)
        return false;
    auto *canvas = qobject_cast<QwtPlotCanvas *>(watched);
    if (!canvas || canvas->window() != window)
        return false;
    if (type == QEvent::Leave) {
        emit positionChanged(QString());
        return false;
    }
    if (const QwtPlot *plot = canvas->plot())
        emit positionChanged(describe(*plot, static_cast<QMouseEvent *>(event)->pos()));
    return false;
}
