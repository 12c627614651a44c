#include "VolumeBlending.h"

#include <cmath>
#include <limits>

namespace VolumeBlending {

double levelMean(const QVector<float> &volume, const VolumeGrid &grid, int k)
{
    double sum = 0.0;
    int count = 0;
    for (int j = 0; j < grid.ny; ++j)
        for (int i = 0; i < grid.nx; ++i) {
            const float value = volume[grid.index(i, j, k)];
            if (!std::isnan(value)) {
                sum += value;
                ++count;
            }
        }
    return count ? sum / count : std::numeric_limits<double>::quiet_NaN();
}

void blendWithLevelMeans(QVector<float> &volume, const VolumeGrid &grid, double weight)
{
    if (weight == 0.0)
        return;
    for (int k = 0; k < grid.nz; ++k) {
        const double mean = levelMean(volume, grid, k);
        for (int j = 0; j < grid.ny; ++j)
            for (int i = 0; i < grid.nx; ++i) {
                float &value = volume[grid.index(i, j, k)];
                value = float((1.0 - weight) * value + weight * mean);
            }
    }
}

} // namespace VolumeBlending
