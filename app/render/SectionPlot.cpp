#include "SectionPlot.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cmath>

#include "PlotCanvas.h"
#include "ResistivityColourBar.h"
#include "TextFields.h"

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

// Rows sorted by position and, within a column, by depth from the bottom up.
struct Cell {
    double position, depth, value;
    bool operator<(const Cell &o) const
    {
        return position != o.position ? position < o.position : depth < o.depth;
    }
};

// Positions and depths (m) beyond this are no survey's; the cells' edges stay finite within it.
constexpr double kFarthest = 1e12;

bool isDrawable(const Cell &cell)
{
    return std::abs(cell.position) <= kFarthest && std::abs(cell.depth) <= kFarthest
           && onLogScale(cell.value);
}

bool readCells(const QString &path, QVector<Cell> &cells)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning().noquote() << "SectionPlot::read: cannot read" << path;
        return false;
    }
    QTextStream in(&file);
    for (int number = 1; !in.atEnd(); ++number) {
        const QStringList fields = splitTextFields(in.readLine());
        if (fields.isEmpty())
            continue;
        bool ok[3] = {false, false, false};
        const Cell cell{fields.value(0).toDouble(&ok[0]), fields.value(1).toDouble(&ok[1]),
                        fields.value(2).toDouble(&ok[2])};
        if (fields.size() != 3 || !ok[0] || !ok[1] || !ok[2] || !isDrawable(cell)) {
            qWarning().noquote() << "SectionPlot::read:" << path << "line" << number
                                 << "is not position,depth,resistivity with position and depth within"
                                 << kFarthest << "m and a resistivity from" << kLogScaleLowest << "to"
                                 << kLogScaleHighest << "ohm-m";
            return false;
        }
        cells << cell;
    }
    if (cells.isEmpty())
        qWarning().noquote() << "SectionPlot::read:" << path << "holds no section rows";
    return !cells.isEmpty();
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

bool read(const QString &path, QList<DataType_ResultData> &section)
{
    QVector<Cell> cells;
    if (!readCells(path, cells))
        return false;
    std::stable_sort(cells.begin(), cells.end());
    section.clear();
    for (const Cell &cell : qAsConst(cells)) {
        if (section.isEmpty() || section.last().position != cell.position)
            section.append(DataType_ResultData{cell.position, {}, {}});
        section.last().depth << cell.depth;
        section.last().value << cell.value;
    }
    return true;
}

} // namespace SectionPlot
