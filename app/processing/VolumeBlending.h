#pragma once
// Blending of a volume with its layered reference: every node holding data becomes
// (1 - weight) * value + weight * (mean of the data of its level). With weight 0 the volume is
// unchanged, with 1 every level is uniform. Nodes without data (NaN) stay without.

#include <QVector>

#include "VolumeGrid.h"

namespace VolumeBlending {

// The mean of the level's data; NaN when the level holds none.
double levelMean(const QVector<float> &volume, const VolumeGrid &grid, int k);

// weight in [0, 1].
void blendWithLevelMeans(QVector<float> &volume, const VolumeGrid &grid, double weight);

} // namespace VolumeBlending
