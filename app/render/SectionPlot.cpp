#include "SectionPlot.h"

#include <QDebug>
#include <QFile>
#include <QMap>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "PlotCanvas.h"
#include "SectionPublisher.h"
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

// The colour of the section view's table at fraction (0 to 1), interpolated between its stops.
QColor colourAt(const QMap<float, QColor> &table, double fraction)
{
    const auto upper = table.lowerBound(float(fraction));
    if (upper == table.begin())
        return upper.value();
    if (upper == table.end())
        return std::prev(upper).value();
    const auto lower = std::prev(upper);
    const double t = (fraction - lower.key()) / (upper.key() - lower.key());
    const auto mix = [t](int a, int b) { return int(std::lround(a + t * (b - a))); };
    return QColor(mix(lower.value().red(), upper.value().red()),
                  mix(lower.value().green(), upper.value().green()),
                  mix(lower.value().blue(), upper.value().blue()));
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

// The resistivity range of a section on the colour table, in log10 ohm-m.
struct ColourScale {
    double low = 0.0;
    double high = 1.0;
    QMap<float, QColor> table = SectionPublisher::colourTable();

    QColor colour(double rho) const { return colourAt(table, (std::log10(rho) - low) / (high - low)); }
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
                       colourAt(scale.table, fraction));
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
