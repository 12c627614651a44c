#pragma once
// The earth under one station as an impedance tensor: one layered earth for the xy polarisation
// (Zxy) and one for yx (Zyx = -Z of that earth), no diagonal terms in the model's own axes, and
// the recording axes turned clockwise by rotationDegrees from them. With one model and angle 0
// this is a one-dimensional earth.

#include "ImpedanceTensor.h"
#include "LayeredEarth.h"

class StationModel {
public:
    explicit StationModel(const LayeredEarth &earth = LayeredEarth());
    StationModel(const LayeredEarth &xyEarth, const LayeredEarth &yxEarth, double rotationDegrees);

    // The tensor in the recording axes at frequency f (Hz).
    ImpedanceTensor tensor(double f) const;

    const LayeredEarth &xyEarth() const { return xy; }
    const LayeredEarth &yxEarth() const { return yx; }
    double rotationDegrees() const { return rotation; }

private:
    LayeredEarth xy;
    LayeredEarth yx;
    double rotation = 0.0;
};
