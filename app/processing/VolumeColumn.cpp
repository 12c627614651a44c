#include "VolumeColumn.h"

#include <algorithm>
#include <cmath>

#include "Data_Inversion.h"
#include "LinearInterpolation.h"
#include "VolumeGrid.h"

VolumeColumn VolumeColumn::fromCurve(const QVector<OneFreqImpedance> &curve, double x, double y,
                                     double surface, double depthScale)
{
    const Data_Inversion::Column column = Data_Inversion().stationColumn(curve, surface, depthScale);
    VolumeColumn result;
    result.x = x;
    result.y = y;
    result.surface = surface;
    for (int p = 0; p < column.elevations.size(); ++p) {
        if (!(column.values[p] > 0) || !std::isfinite(column.values[p]))
            continue;
        result.elevations.append(column.elevations[p]);
        result.log10Rho.append(std::log10(column.values[p]));
    }
    return result;
}

VolumeColumn::Levels VolumeColumn::atLevels(const VolumeGrid &grid) const
{
    Levels levels;
    LinearInterpolation valueAt(elevations, log10Rho);
    const double deepest = elevations.isEmpty() ? surface : elevations.first();
    for (int k = 0; k < grid.nz; ++k) {
        const double z = grid.z(k);
        levels.log10Rho.append(valueAt.at(z));
        levels.outside.append(std::max({deepest - z, z - surface, 0.0}));
    }
    return levels;
}
