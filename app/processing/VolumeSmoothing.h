#pragma once
// Horizontal smoothing of a volume, stronger the deeper the level, as the depth sections are
// smoothed: at a level lying d metres below the top level every node with data is replaced by the
// raised-cosine weighted mean of the data within d * factor metres (a separable window, along x
// then along y, weights 0.5 + 0.5 cos(pi r / w) over the half-width w). Nodes without data (NaN)
// neither contribute nor receive a value; the top level and a factor of 0 leave the volume as it
// is.

#include <QVector>

#include "VolumeGrid.h"

namespace VolumeSmoothing {

void smooth(QVector<float> &volume, const VolumeGrid &grid, double factor);

} // namespace VolumeSmoothing
