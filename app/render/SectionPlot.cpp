#include "SectionPlot.h"

#include <QDebug>
#include <algorithm>
#include <cmath>

#include "PlotCanvas.h"
#include "ResistivityColourBar.h"
#include "PlotTicks.h"

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

// The section's resistivity range on the colour table.
ResistivityColourScale scaleOf(const QList<DataType_ResultData> &section)
{
    double lowest = HUGE_VAL, highest = -HUGE_VAL;
    for (const DataType_ResultData &column : section)
        for (double rho : column.value) {
            lowest = std::min(lowest, rho);
            highest = std::max(highest, rho);
        }
    return ResistivityColourScale::over(std::log10(lowest), std::log10(highest));
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
               const QList<DataType_ResultData> &section, const ResistivityColourScale &scale)
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
    const ResistivityColourScale scale = scaleOf(section);
    canvas.drawTitle(title);
    drawCells(canvas, panel, section, scale);
    canvas.drawAxes(panel, QStringLiteral("Position"), QStringLiteral("Depth (m)"));
    drawResistivityColourBar(canvas, QRectF(area.right() + 30, area.top(), 22, area.height()), scale);
    return canvas.save(path);
}

} // namespace SectionPlot
