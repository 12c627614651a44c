#include "SectionPlot.h"

#include <QDebug>
#include <QMap>
#include <algorithm>
#include <cmath>

#include "PlotCanvas.h"
#include "PlotTicks.h"
#include "SectionColours.h"

namespace SectionPlot {

namespace {

// The boundaries of cells centred on the sorted values: midway between neighbours, the outer
// cells as wide as their inner half. A lone cell is as tall (wide) as it lies from zero, or 1.
QVector<double> cellEdges(const QVector<double> &centres)
{
    if (centres.size() == 1) {
        const double half = centres.first() != 0.0 ? std::abs(centres.first()) / 2 : 0.5;
        return {centres.first() - half, centres.first() + half};
    }
    QVector<double> edges{1.5 * centres.first() - 0.5 * centres.at(1)};
    for (int i = 1; i < centres.size(); ++i)
        edges << (centres.at(i - 1) + centres.at(i)) / 2;
    edges << 1.5 * centres.last() - 0.5 * centres.at(centres.size() - 2);
    return edges;
}

// Positions and depths (m) beyond this are no survey's; the cells' edges stay finite within it.
constexpr double kFarthest = 1e12;

// True when every cell has a finite place and a resistivity the log colour scale can show.
bool isDrawable(const QList<DataType_ResultData> &section)
{
    for (const DataType_ResultData &column : section) {
        if (!(std::abs(column.position) <= kFarthest) || column.depth.size() != column.value.size())
            return false;
        for (int k = 0; k < column.value.size(); ++k)
            if (!(std::abs(column.depth.at(k)) <= kFarthest) || !onLogScale(column.value.at(k)))
                return false;
    }
    return !section.isEmpty();
}

// The resistivity range of a section on the colour table, in log10 ohm-m.
struct ColourScale {
    double low = 0.0;
    double high = 1.0;
    QMap<float, QColor> table = SectionColours::table();

    QColor colour(double rho) const
    {
        return SectionColours::at(table, (std::log10(rho) - low) / (high - low));
    }
};

ColourScale scaleOf(const QList<DataType_ResultData> &section)
{
    double lowest = HUGE_VAL, highest = -HUGE_VAL;
    for (const DataType_ResultData &column : section)
        for (double rho : column.value) {
            lowest = std::min(lowest, rho);
            highest = std::max(highest, rho);
        }
    ColourScale scale;
    scale.low = std::log10(lowest);
    scale.high = std::log10(highest);
    if (scale.high - scale.low < 1e-3) {  // one resistivity: half a decade either side
        scale.low -= 0.5;
        scale.high += 0.5;
    }
    return scale;
}

QVector<double> positionsOf(const QList<DataType_ResultData> &section)
{
    QVector<double> positions;
    for (const DataType_ResultData &column : section)
        positions << column.position;
    return positions;
}

PlotPanel panelOf(const QList<DataType_ResultData> &section, const QRectF &area)
{
    const QVector<double> positionEdges = cellEdges(positionsOf(section));
    double top = -HUGE_VAL, bottom = HUGE_VAL;
    for (const DataType_ResultData &column : section) {
        const QVector<double> depthEdges = cellEdges(column.depth);
        bottom = std::min(bottom, depthEdges.first());
        top = std::max(top, depthEdges.last());
    }
    return {area, PlotAxis{positionEdges.first(), positionEdges.last()}, PlotAxis{bottom, top}};
}

void drawCells(PlotCanvas &canvas, const PlotPanel &panel,
               const QList<DataType_ResultData> &section, const ColourScale &scale)
{
    const QVector<double> positionEdges = cellEdges(positionsOf(section));
    for (int c = 0; c < section.size(); ++c) {
        const DataType_ResultData &column = section.at(c);
        const QVector<double> depthEdges = cellEdges(column.depth);
        for (int k = 0; k < column.value.size(); ++k) {
            // Cells meet on whole pixels so that no seams show between them.
            const QRectF cell(panel.point(positionEdges.at(c), depthEdges.at(k + 1)),
                              panel.point(positionEdges.at(c + 1), depthEdges.at(k)));
            canvas.painter().fillRect(cell.toAlignedRect(), scale.colour(column.value.at(k)));
        }
    }
}

void drawColourBar(PlotCanvas &canvas, const QRectF &bar, const ColourScale &scale)
{
    QPainter &paint = canvas.painter();
    paint.save();
    for (int row = 0; row < int(bar.height()); ++row) {
        const double fraction = 1.0 - (row + 0.5) / bar.height();
        paint.fillRect(QRectF(bar.left(), bar.top() + row, bar.width(), 1),
                       SectionColours::at(scale.table, fraction));
    }
    paint.setPen(QPen(Qt::black, 1));
    paint.drawRect(bar);
    const double span = scale.high - scale.low;
    for (const PlotTick &tick : logTicks(std::pow(10.0, scale.low), std::pow(10.0, scale.high))) {
        const double y = bar.bottom() - (std::log10(tick.value) - scale.low) / span * bar.height();
        paint.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + (tick.labelled ? 6 : 3), y));
        if (tick.labelled)
            paint.drawText(QRectF(bar.right() + 9, y - 9, 60, 18), Qt::AlignLeft | Qt::AlignVCenter,
                           tickLabel(tick.value));
    }
    paint.setFont(PlotCanvas::font(14));
    paint.translate(bar.right() + 78, bar.center().y());
    paint.rotate(-90);
    paint.drawText(QRectF(-bar.height() / 2, -20, bar.height(), 20), Qt::AlignCenter,
                   QStringLiteral("Resistivity (ohm-m)"));
    paint.restore();
}

} // namespace

bool save(const QList<DataType_ResultData> &section, const QString &title, const QString &path,
          QSize size)
{
    if (!isDrawable(section)) {
        qWarning().noquote() << "SectionPlot::save:" << path << "not drawn: the section needs"
                             << "positions and depths within" << kFarthest << "m and resistivities"
                             << "from" << kLogScaleLowest << "to" << kLogScaleHighest << "ohm-m";
        return false;
    }
    PlotCanvas canvas(size);
    const QRectF area(95, 50, size.width() - 95 - 170, size.height() - 50 - 70);
    const PlotPanel panel = panelOf(section, area);
    const ColourScale scale = scaleOf(section);
    canvas.drawTitle(title);
    drawCells(canvas, panel, section, scale);
    canvas.drawAxes(panel, QStringLiteral("Position"), QStringLiteral("Depth (m)"));
    drawColourBar(canvas, QRectF(area.right() + 30, area.top(), 22, area.height()), scale);
    return canvas.save(path);
}

} // namespace SectionPlot
