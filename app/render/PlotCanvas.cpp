#include "PlotCanvas.h"

#include <algorithm>

#include <QDebug>
#include <cmath>

namespace {

const QColor kGrid(225, 225, 225);
const QColor kMinorGrid(242, 242, 242);
constexpr double kMarkerRadius = 3.5;
constexpr int kLabelPixels = 13;

} // namespace

double PlotAxis::fraction(double value) const
{
    const double f = logarithmic ? std::log10(value / low) / std::log10(high / low)
                                 : (value - low) / (high - low);
    return reversed ? 1.0 - f : f;
}

QVector<PlotTick> PlotAxis::ticks() const
{
    if (logarithmic)
        return logTicks(low, high);
    return linearTicks(low, high, tickStep > 0 ? tickStep : roundStep(low, high, 6));
}

QPointF PlotPanel::point(double xValue, double yValue) const
{
    return {area.left() + x.fraction(xValue) * area.width(),
            area.bottom() - y.fraction(yValue) * area.height()};
}

PlotCanvas::PlotCanvas(QSize size) : image(size, QImage::Format_RGB32)
{
    image.fill(Qt::white);
    paint.begin(&image);
    paint.setRenderHint(QPainter::Antialiasing);
    paint.setRenderHint(QPainter::TextAntialiasing);
    paint.setFont(font(kLabelPixels));
}

QFont PlotCanvas::font(int pixels, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void PlotCanvas::drawTitle(const QString &text)
{
    paint.save();
    paint.setFont(font(18, true));
    paint.setPen(Qt::black);
    paint.drawText(QRectF(0, 8, image.width(), 30), Qt::AlignCenter, text);
    paint.restore();
}

void PlotCanvas::drawGrid(const PlotPanel &panel)
{
    paint.save();
    for (const PlotTick &tick : panel.x.ticks()) {
        const double x = panel.point(tick.value, panel.y.low).x();
        paint.setPen(QPen(tick.labelled ? kGrid : kMinorGrid, 1));
        paint.drawLine(QPointF(x, panel.area.top()), QPointF(x, panel.area.bottom()));
    }
    for (const PlotTick &tick : panel.y.ticks()) {
        const double y = panel.point(panel.x.low, tick.value).y();
        paint.setPen(QPen(tick.labelled ? kGrid : kMinorGrid, 1));
        paint.drawLine(QPointF(panel.area.left(), y), QPointF(panel.area.right(), y));
    }
    paint.restore();
}

void PlotCanvas::drawAxes(const PlotPanel &panel, const QString &xTitle, const QString &yTitle,
                          bool xLabels)
{
    paint.save();
    paint.setPen(QPen(Qt::black, 1));
    paint.setBrush(Qt::NoBrush);
    paint.drawRect(panel.area);
    paint.restore();
    if (xLabels)
        drawXLabels(panel, xTitle);
    drawYLabels(panel, yTitle);
}

void PlotCanvas::drawXLabels(const PlotPanel &panel, const QString &title)
{
    paint.save();
    paint.setPen(Qt::black);
    const double bottom = panel.area.bottom();
    for (const PlotTick &tick : panel.x.ticks()) {
        const double x = panel.point(tick.value, panel.y.low).x();
        paint.drawLine(QPointF(x, bottom), QPointF(x, bottom + (tick.labelled ? 6 : 3)));
        if (tick.labelled)
            paint.drawText(QRectF(x - 50, bottom + 8, 100, 18), Qt::AlignHCenter | Qt::AlignTop,
                           tickLabel(tick.value));
    }
    paint.setFont(font(14));
    paint.drawText(QRectF(panel.area.left(), bottom + 28, panel.area.width(), 22), Qt::AlignCenter,
                   title);
    paint.restore();
}

void PlotCanvas::drawYLabels(const PlotPanel &panel, const QString &title)
{
    paint.save();
    paint.setPen(Qt::black);
    const double left = panel.area.left();
    for (const PlotTick &tick : panel.y.ticks()) {
        const double y = panel.point(panel.x.low, tick.value).y();
        paint.drawLine(QPointF(left - (tick.labelled ? 6 : 3), y), QPointF(left, y));
        if (tick.labelled)
            paint.drawText(QRectF(left - 108, y - 9, 100, 18), Qt::AlignRight | Qt::AlignVCenter,
                           tickLabel(tick.value));
    }
    paint.setFont(font(14));
    paint.translate(left - 54, panel.area.center().y());
    paint.rotate(-90);
    paint.drawText(QRectF(-panel.area.height() / 2, -20, panel.area.height(), 20), Qt::AlignCenter,
                   title);
    paint.restore();
}

void PlotCanvas::drawPoints(const PlotPanel &panel, const QVector<QPointF> &values,
                            PlotMarker marker, const QColor &colour)
{
    for (const QPointF &value : values) {
        const QPointF at = panel.point(value.x(), value.y());
        if (panel.area.contains(at))
            drawMarker(at, marker, colour);
    }
}

void PlotCanvas::drawErrorBars(const PlotPanel &panel, const QVector<QPointF> &values,
                               const QVector<double> &halfHeights, const QColor &colour)
{
    paint.save();
    paint.setClipRect(panel.area);
    paint.setPen(QPen(colour, 1.2));
    for (int i = 0; i < std::min(values.size(), halfHeights.size()); ++i) {
        const QPointF centre = panel.point(values[i].x(), values[i].y());
        const double half = halfHeights[i];
        if (!panel.area.contains(centre) || !(half > 0) || !std::isfinite(half))
            continue;
        const double low = values[i].y() - half;
        const double bottom = panel.y.logarithmic && low <= 0
            ? panel.area.bottom() + 1 : panel.point(values[i].x(), low).y();
        const double top = panel.point(values[i].x(), values[i].y() + half).y();
        paint.drawLine(QPointF(centre.x(), bottom), QPointF(centre.x(), top));
        for (double y : {bottom, top})
            paint.drawLine(QPointF(centre.x() - 3, y), QPointF(centre.x() + 3, y));
    }
    paint.restore();
}

void PlotCanvas::drawLine(const PlotPanel &panel, const QVector<QPointF> &values, const QPen &pen)
{
    QPolygonF line;
    for (const QPointF &value : values) {
        const QPointF at = panel.point(value.x(), value.y());
        if (std::isfinite(at.x()) && std::isfinite(at.y()))
            line << at;
    }
    paint.save();
    paint.setClipRect(panel.area);
    paint.setPen(pen);
    paint.drawPolyline(line);
    paint.restore();
}

void PlotCanvas::drawMarker(QPointF at, PlotMarker marker, const QColor &colour)
{
    const double r = kMarkerRadius;
    paint.save();
    paint.setPen(QPen(colour.darker(130), 1.2));
    paint.setBrush(colour);
    switch (marker) {
    case PlotMarker::None:
        break;
    case PlotMarker::Circle:
        paint.drawEllipse(at, r, r);
        break;
    case PlotMarker::Square:
        paint.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
        break;
    case PlotMarker::Triangle:
        paint.drawPolygon(QPolygonF(QVector<QPointF>{at + QPointF(0, -r - 1), at + QPointF(r + 1, r),
                                                     at + QPointF(-r - 1, r)}));
        break;
    case PlotMarker::Diamond:
        paint.drawPolygon(QPolygonF(QVector<QPointF>{at + QPointF(0, -r - 1), at + QPointF(r + 1, 0),
                                                     at + QPointF(0, r + 1), at + QPointF(-r - 1, 0)}));
        break;
    case PlotMarker::Cross:
        paint.setPen(QPen(colour, 2));
        paint.drawLine(at + QPointF(-r, -r), at + QPointF(r, r));
        paint.drawLine(at + QPointF(-r, r), at + QPointF(r, -r));
        break;
    }
    paint.restore();
}

void PlotCanvas::drawLegend(QPointF topLeft, const QList<LegendEntry> &entries)
{
    if (entries.isEmpty())
        return;
    constexpr double row = 20, sample = 30;
    const QFontMetricsF metrics(paint.font());
    double width = 0;
    for (const LegendEntry &entry : entries)
        width = std::max(width, metrics.horizontalAdvance(entry.text));
    paint.save();
    paint.setPen(QPen(QColor(160, 160, 160), 1));
    paint.setBrush(Qt::white);
    paint.drawRect(QRectF(topLeft, QSizeF(width + sample + 22, row * entries.size() + 8)));
    for (int i = 0; i < entries.size(); ++i) {
        const LegendEntry &entry = entries.at(i);
        const QPointF centre = topLeft + QPointF(8 + sample / 2, 4 + row * (i + 0.5));
        if (entry.line != Qt::NoPen) {
            paint.setPen(QPen(entry.colour, 2, entry.line));
            paint.drawLine(centre - QPointF(sample / 2, 0), centre + QPointF(sample / 2, 0));
        }
        drawMarker(centre, entry.marker, entry.colour);
        paint.setPen(Qt::black);
        paint.drawText(QRectF(centre.x() + sample / 2 + 6, centre.y() - row / 2, width + 4, row),
                       Qt::AlignLeft | Qt::AlignVCenter, entry.text);
    }
    paint.restore();
}

bool PlotCanvas::save(const QString &path)
{
    paint.end();
    if (!image.save(path, "PNG")) {
        qWarning().noquote() << "PlotCanvas::save: cannot write" << path;
        return false;
    }
    return true;
}
