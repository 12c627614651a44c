#include "VolumeSlicePlot.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "PlotCanvas.h"
#include "ResistivityColourBar.h"

namespace {

const QColor kNoData(217, 217, 217);
constexpr double kMargins[4] = {95, 50, 170, 70};  // left, top, right, bottom in pixels

ResistivityColourScale scaleOf(const ResistivityVolume &volume)
{
    double low = HUGE_VAL, high = -HUGE_VAL;
    for (float value : volume.log10Rho)
        if (!std::isnan(value)) {
            low = std::min(low, double(value));
            high = std::max(high, double(value));
        }
    return low <= high ? ResistivityColourScale::over(low, high) : ResistivityColourScale::over(0, 0);
}

// The map's panel: the nodes' cells at one scale in both directions, centred in the space left
// by the margins.
PlotPanel mapPanel(const VolumeGrid &g, QSize size)
{
    const PlotAxis x{g.x0 - g.dx / 2, g.x(g.nx - 1) + g.dx / 2};
    const PlotAxis y{g.y0 - g.dy / 2, g.y(g.ny - 1) + g.dy / 2};
    const double width = size.width() - kMargins[0] - kMargins[2];
    const double height = size.height() - kMargins[1] - kMargins[3];
    const double metre = std::min(width / (x.high - x.low), height / (y.high - y.low));
    const double w = metre * (x.high - x.low), h = metre * (y.high - y.low);
    const QRectF area(kMargins[0] + (width - w) / 2, kMargins[1] + (height - h) / 2, w, h);
    return {area, x, y};
}

void drawCells(PlotCanvas &canvas, const PlotPanel &panel, const ResistivityVolume &volume, int k,
               const ResistivityColourScale &scale)
{
    const VolumeGrid &g = volume.grid;
    for (int j = 0; j < g.ny; ++j)
        for (int i = 0; i < g.nx; ++i) {
            // Cells meet on whole pixels so that no seams show between them.
            const QRectF cell(panel.point(g.x(i) - g.dx / 2, g.y(j) + g.dy / 2),
                              panel.point(g.x(i) + g.dx / 2, g.y(j) - g.dy / 2));
            canvas.painter().fillRect(cell.toAlignedRect(),
                                      volume.hasData(i, j, k) ? scale.colourOfLog10(volume.at(i, j, k)) : kNoData);
        }
}

void drawStations(PlotCanvas &canvas, const PlotPanel &panel, const QVector<QPointF> &stations)
{
    QPainter &paint = canvas.painter();
    paint.save();
    paint.setPen(QPen(Qt::white, 1));
    paint.setBrush(Qt::black);
    for (const QPointF &station : stations) {
        const QPointF at = panel.point(station.x(), station.y());
        paint.drawPolygon(QPolygonF({at + QPointF(0, -6), at + QPointF(5, 4), at + QPointF(-5, 4)}));
    }
    paint.restore();
}

QString elevationText(double z)
{
    return QString::number(z, 'f', std::fabs(z - std::round(z)) < 1e-6 ? 0 : 1);
}

// A picture width pixels wide, as tall as the map's shape asks within sensible bounds.
QSize pictureSize(const VolumeGrid &g, int width)
{
    const double across = g.nx * g.dx, up = g.ny * g.dy;
    const double mapHeight = (width - kMargins[0] - kMargins[2]) * up / across;
    const double height = std::clamp(mapHeight + kMargins[1] + kMargins[3], 0.5 * width, 1.2 * width);
    return QSize(width, int(std::lround(height)));
}

} // namespace

namespace VolumeSlicePlot {

QVector<int> sliceLevels(const VolumeGrid &grid, int count)
{
    QVector<int> levels;
    const int n = std::min(count, grid.nz);
    for (int m = 0; m < n; ++m) {
        const int k = grid.nz - 1 - (n > 1 ? int(std::lround(double(m) * (grid.nz - 1) / (n - 1))) : 0);
        if (levels.isEmpty() || levels.last() != k)
            levels.append(k);
    }
    return levels;
}

bool save(const ResistivityVolume &volume, int k, const QVector<QPointF> &stations, const QString &path,
          int width)
{
    const QSize size = pictureSize(volume.grid, width);
    PlotCanvas canvas(size);
    const PlotPanel panel = mapPanel(volume.grid, size);
    const ResistivityColourScale scale = scaleOf(volume);
    canvas.drawTitle(QStringLiteral("Resistivity at elevation %1 m").arg(elevationText(volume.grid.z(k))));
    drawCells(canvas, panel, volume, k, scale);
    drawStations(canvas, panel, stations);
    canvas.drawAxes(panel, QStringLiteral("East (m)"), QStringLiteral("North (m)"));
    drawResistivityColourBar(canvas, QRectF(size.width() - kMargins[2] + 30, kMargins[1], 22,
                                            size.height() - kMargins[1] - kMargins[3]),
                             scale);
    return canvas.save(path);
}

QStringList saveBeside(const ResistivityVolume &volume, const QVector<QPointF> &stations,
                       const QString &volumePath, int count)
{
    const QFileInfo file(volumePath);
    QStringList written;
    for (int k : sliceLevels(volume.grid, count)) {
        const QString path = file.dir().filePath(
            QStringLiteral("%1_%2m.png").arg(file.completeBaseName(), elevationText(volume.grid.z(k))));
        if (save(volume, k, stations, path))
            written << path;
    }
    return written;
}

} // namespace VolumeSlicePlot
