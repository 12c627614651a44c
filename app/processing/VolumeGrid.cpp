#include "VolumeGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kSameSpot = 1e-6;       // m: points closer than this are one place
constexpr double kFinestShare = 200.0;   // cells along the longer side at most (automatic size)

double nearestNeighbourDistance(const QVector<double> &x, const QVector<double> &y, int p)
{
    double nearest = std::numeric_limits<double>::infinity();
    for (int q = 0; q < x.size(); ++q) {
        const double d = std::hypot(x[q] - x[p], y[q] - y[p]);
        if (d > kSameSpot)
            nearest = std::min(nearest, d);
    }
    return nearest;
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

// A node count held just above the node limit, so that an absurd spacing is refused by the
// caller instead of overflowing.
int clampedCount(double nodes)
{
    return int(std::min(nodes, double(VolumeGrid::kMaxNodes + 1)));
}

// Nodes spacing apart from the start of extent to at least its end.
int nodesAcross(double extent, double spacing)
{
    return clampedCount(std::ceil(extent / spacing - 1e-9) + 1.0);
}

} // namespace

double VolumeGrid::automaticCellSize(const QVector<double> &x, const QVector<double> &y)
{
    QVector<double> nearest;
    for (int p = 0; p < x.size(); ++p) {
        const double d = nearestNeighbourDistance(x, y, p);
        if (std::isfinite(d))
            nearest.append(d);
    }
    if (nearest.isEmpty())
        return 1.0;
    const auto [xMin, xMax] = std::minmax_element(x.cbegin(), x.cend());
    const auto [yMin, yMax] = std::minmax_element(y.cbegin(), y.cend());
    const double longer = std::max(*xMax - *xMin, *yMax - *yMin);
    return std::max(0.5 * median(nearest), longer / kFinestShare);
}

VolumeGrid VolumeGrid::around(const QVector<double> &x, const QVector<double> &y, double top,
                              double bottom, double cellSize, double levelStep)
{
    VolumeGrid grid;
    const int n = std::min(x.size(), y.size());
    const double cell = cellSize > 0 ? cellSize : automaticCellSize(x.mid(0, n), y.mid(0, n));
    if (n == 0 || !(cell > 0) || !(levelStep > 0) || !(bottom <= top) || !std::isfinite(top - bottom))
        return grid;
    const auto [xMin, xMax] = std::minmax_element(x.cbegin(), x.cbegin() + n);
    const auto [yMin, yMax] = std::minmax_element(y.cbegin(), y.cbegin() + n);
    grid.dx = grid.dy = cell;
    grid.dz = levelStep;
    grid.x0 = *xMin;
    grid.y0 = *yMin;
    grid.nx = nodesAcross(*xMax - *xMin, cell);
    grid.ny = nodesAcross(*yMax - *yMin, cell);
    grid.nz = clampedCount(std::floor((top - bottom) / levelStep + 1e-9) + 1.0);
    grid.z0 = top - (grid.nz - 1) * levelStep;
    return grid;
}
