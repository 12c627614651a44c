#pragma once
// One station's depth column placed in the volume: the Bostick depth transform of its curve hung
// from its surveyed surface elevation at its surveyed (x, y), in log10 resistivity, and the same
// column read at the levels of a grid.

#include <QVector>

#include "SpectralRecords.h"

struct VolumeGrid;

struct VolumeColumn {
    // The column read at the grid's levels.
    struct Levels {
        QVector<double> log10Rho;   // the column's value, its end values held beyond its span
        QVector<double> outside;    // m from the level to the column's span (0 within it)
    };

    double x = 0.0;                 // m east
    double y = 0.0;                 // m north
    double surface = 0.0;           // m, elevation of the station
    QVector<double> elevations;     // increasing, none above the surface
    QVector<double> log10Rho;

    // The column of curve at (x, y) hung from surface, depths scaled by depthScale; points with a
    // resistivity that is not positive (phases of 90 degrees and above) are left out. No
    // elevations when the curve has no usable point.
    static VolumeColumn fromCurve(const QVector<OneFreqImpedance> &curve, double x, double y,
                                  double surface, double depthScale);

    bool isEmpty() const { return elevations.isEmpty(); }
    // The column's span reaches from its deepest point up to the surface.
    Levels atLevels(const VolumeGrid &grid) const;
};
