#pragma once
// Inverse-distance weighting of station columns onto the nodes of a volume grid, in log10
// resistivity. A node takes the stations within the search radius (horizontal distance) with
// weights 1 / d^2, where d^2 = (xCoefficient * horizontal distance)^2 + (yCoefficient * vertical
// distance from the node to the station's column)^2; a station within 0.1 m gives its own value.
// Nodes with no station within the radius, and nodes above the ground (the stations' surface
// elevations weighted the same way, plus half a level), hold NaN ("no data").

#include <QVector>
#include <functional>

#include "VolumeColumn.h"
#include "VolumeGrid.h"

namespace VolumeInterpolation {

struct Coefficients {
    double searchRadius = 1000.0;  // m
    double xCoefficient = 1.0;     // > 0
    double yCoefficient = 1.0;     // >= 0
};

// Called after each north-south row of node columns with the rows done and the row count; the
// run stops (and returns an empty volume) when it returns false.
using Progress = std::function<bool(int done, int total)>;

// One value per grid node in the grid's order; empty when stopped.
QVector<float> interpolate(const QVector<VolumeColumn> &columns, const VolumeGrid &grid,
                           const Coefficients &coefficients, const Progress &progress = {});

} // namespace VolumeInterpolation
