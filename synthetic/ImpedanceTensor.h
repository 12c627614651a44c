#pragma once
// 2 x 2 impedance tensor E = Z B of one frequency, E in mV/km and B in nT:
// Ex = xx Bx + xy By, Ey = yx Bx + yy By.

#include <complex>

struct ImpedanceTensor {
    std::complex<double> xx, xy, yx, yy;

    // The tensor seen in axes turned clockwise (from x towards y) by angleDegrees:
    // Z' = R Z R^T with R = [[cos, sin], [-sin, cos]].
    ImpedanceTensor rotated(double angleDegrees) const;
    std::complex<double> determinant() const;
};
