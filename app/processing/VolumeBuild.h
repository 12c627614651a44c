#pragma once
// The pseudo-3-D volume from the stations' depth columns: the grid over the columns' bounding
// box from the highest surface down to the settings' lowest elevation, inverse-distance
// interpolation within the search radius, in a layered reference space the blend with the level
// means, then the depth-dependent horizontal smoothing.

#include <QString>
#include <QVector>

#include "ResistivityVolume.h"
#include "VolumeColumn.h"
#include "VolumeInterpolation.h"
#include "VolumeSettings.h"

namespace VolumeBuild {

// What is wrong with the settings' numbers, for the operator; empty when they can be used.
QString settingsProblem(const VolumeSettings &settings);

// The grid of the columns (placed at their x, y; top at the highest surface).
VolumeGrid gridFor(const QVector<VolumeColumn> &columns, const VolumeSettings &settings);
// What is wrong with a grid (lowest elevation above every station, too many nodes); empty when
// it can be built.
QString gridProblem(const VolumeGrid &grid);

// The volume; empty when the settings or the grid have a problem, without columns, or when
// progress asked to stop.
ResistivityVolume build(const QVector<VolumeColumn> &columns, const VolumeSettings &settings,
                        const VolumeInterpolation::Progress &progress = {});

} // namespace VolumeBuild
