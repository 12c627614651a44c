#pragma once
// A pseudo-3-D resistivity volume: log10 resistivity (ohm-m) at every node of a regular grid,
// NaN where there is no data (no station within the search radius, or above the ground).

#include <QVector>
#include <cmath>

#include "VolumeGrid.h"

struct ResistivityVolume {
    VolumeGrid grid;
    QVector<float> log10Rho;    // grid.nodeCount() values in the grid's order; empty: no volume

    bool isEmpty() const { return log10Rho.isEmpty(); }
    float at(int i, int j, int k) const { return log10Rho[int(grid.index(i, j, k))]; }
    bool hasData(int i, int j, int k) const { return !std::isnan(at(i, j, k)); }
};
