#pragma once
// A one-dimensional resistivity column of one station from its apparent-resistivity curve by the
// Niblett-Bostick transform: each record (f, rho, phase) gives the depth 356 sqrt(rho / f) m and
// the resistivity (90 / phase - 1) rho; between depths the logarithm of the resistivity is
// interpolated linearly, beyond them the end values hold.

#include <vector>

struct CurvePoint {
    double freq = 0.0;   // Hz
    double rho = 0.0;    // ohm-m
    double phase = 0.0;  // degrees
};

class BostickColumn {
public:
    explicit BostickColumn(const std::vector<CurvePoint> &curve);
    // Resistivity at depth metres below the surface; 100 ohm-m for a curve without usable points.
    double resistivityAt(double depth) const;

private:
    std::vector<double> depths;      // increasing
    std::vector<double> logRhos;
};
