#pragma once
// An image that plots are drawn on: panels with linear or logarithmic axes, tick labels and grid,
// point series with markers, lines, legends and a title. Antialiased, on a white background.
// Needs a QGuiApplication (text is drawn with the system's fonts).

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <QString>
#include <QVector>

#include "PlotTicks.h"

// The value range of one side of a panel and how values map onto it.
struct PlotAxis {
    double low = 0.0;
    double high = 1.0;
    bool logarithmic = false;  // low and high > 0
    bool reversed = false;     // high values at the left (x axis) or at the bottom (y axis)
    double tickStep = 0.0;     // linear axes: the distance of the ticks, 0 for a round one

    // Where value lies along the axis: 0 at the left or bottom end, 1 at the right or top end.
    double fraction(double value) const;
    QVector<PlotTick> ticks() const;
};

// A rectangle of the image with an axis along its bottom and its left side.
struct PlotPanel {
    QRectF area;
    PlotAxis x;
    PlotAxis y;

    QPointF point(double xValue, double yValue) const;
};

enum class PlotMarker { None, Circle, Square, Triangle, Diamond, Cross };

struct LegendEntry {
    QString text;
    QColor colour;
    PlotMarker marker = PlotMarker::None;
    Qt::PenStyle line = Qt::NoPen;
};

class PlotCanvas {
public:
    explicit PlotCanvas(QSize size);

    QPainter &painter() { return paint; }
    QSize size() const { return image.size(); }
    // A QFont of the given pixel size (bold for titles).
    static QFont font(int pixels, bool bold = false);

    void drawTitle(const QString &text);
    // Grid lines at the ticks of both axes inside panel.
    void drawGrid(const PlotPanel &panel);
    // Frame, ticks, tick labels and axis titles of panel. xLabels false leaves the x axis
    // without numbers and title (a panel stacked above another with the same x axis).
    void drawAxes(const PlotPanel &panel, const QString &xTitle, const QString &yTitle,
                  bool xLabels = true);
    // values are (x, y) in axis units; points outside the panel are left out.
    void drawPoints(const PlotPanel &panel, const QVector<QPointF> &values, PlotMarker marker,
                    const QColor &colour);
    void drawLine(const PlotPanel &panel, const QVector<QPointF> &values, const QPen &pen);
    // Vertical bars from y - halfHeights[i] to y + halfHeights[i] with short caps, for the values
    // that lie inside the panel and have a positive, finite half height (a bar reaching below
    // zero on a logarithmic axis runs to the panel's edge). Clipped to the panel.
    void drawErrorBars(const PlotPanel &panel, const QVector<QPointF> &values,
                       const QVector<double> &halfHeights, const QColor &colour);
    // A framed legend box with its top left corner at topLeft, one entry a row.
    void drawLegend(QPointF topLeft, const QList<LegendEntry> &entries);
    // False (warning naming the file) when the PNG cannot be written. Ends the drawing.
    bool save(const QString &path);

private:
    void drawMarker(QPointF at, PlotMarker marker, const QColor &colour);
    void drawXLabels(const PlotPanel &panel, const QString &title);
    void drawYLabels(const PlotPanel &panel, const QString &title);

    QImage image;
    QPainter paint;
};
