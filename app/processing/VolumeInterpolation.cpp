#include "VolumeInterpolation.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kOwnValueDistance = 0.1;  // m, as the depth sections' inverse-distance rule
constexpr float kNoData = std::numeric_limits<float>::quiet_NaN();

// A station within the search radius of one node column.
struct Neighbour {
    int column;
    double scaledHorizontal2;   // (xCoefficient * horizontal distance)^2
};

QVector<Neighbour> neighboursOf(const QVector<VolumeColumn> &columns, double x, double y,
                                const VolumeInterpolation::Coefficients &c)
{
    QVector<Neighbour> near;
    for (int s = 0; s < columns.size(); ++s) {
        const double h = std::hypot(columns[s].x - x, columns[s].y - y);
        if (h <= c.searchRadius)
            near.append({s, std::pow(c.xCoefficient * h, 2)});
    }
    return near;
}

// Weighted mean of value(s) over the neighbours for squared distances d2(s); a neighbour closer
// than the own-value distance gives its value alone.
template <class Value, class Distance2>
double inverseDistanceMean(const QVector<Neighbour> &near, Value value, Distance2 d2)
{
    double sum = 0.0;
    double weights = 0.0;
    for (const Neighbour &n : near) {
        const double distance2 = d2(n);
        if (distance2 < kOwnValueDistance * kOwnValueDistance)
            return value(n);
        sum += value(n) / distance2;
        weights += 1.0 / distance2;
    }
    return sum / weights;
}

void fillNodeColumn(QVector<float> &volume, const VolumeGrid &grid, int i, int j,
                    const QVector<VolumeColumn> &columns,
                    const QVector<VolumeColumn::Levels> &levels,
                    const VolumeInterpolation::Coefficients &c)
{
    const QVector<Neighbour> near = neighboursOf(columns, grid.x(i), grid.y(j), c);
    if (near.isEmpty())
        return;
    const double ground = inverseDistanceMean(
        near, [&](const Neighbour &n) { return columns[n.column].surface; },
        [](const Neighbour &n) { return n.scaledHorizontal2; });
    const double yc2 = c.yCoefficient * c.yCoefficient;
    for (int k = 0; k < grid.nz && grid.z(k) <= ground + 0.5 * grid.dz; ++k) {
        volume[grid.index(i, j, k)] = float(inverseDistanceMean(
            near, [&](const Neighbour &n) { return levels[n.column].log10Rho[k]; },
            [&](const Neighbour &n) {
                return n.scaledHorizontal2 + yc2 * std::pow(levels[n.column].outside[k], 2);
            }));
    }
}

} // namespace

namespace VolumeInterpolation {

QVector<float> interpolate(const QVector<VolumeColumn> &columns, const VolumeGrid &grid,
                           const Coefficients &coefficients, const Progress &progress)
{
    QVector<VolumeColumn::Levels> levels;
    for (const VolumeColumn &column : columns)
        levels.append(column.atLevels(grid));
    QVector<float> volume(int(grid.nodeCount()), kNoData);
    for (int j = 0; j < grid.ny; ++j) {
        for (int i = 0; i < grid.nx; ++i)
            fillNodeColumn(volume, grid, i, j, columns, levels, coefficients);
        if (progress && !progress(j + 1, grid.ny))
            return {};
    }
    return volume;
}

} // namespace VolumeInterpolation
