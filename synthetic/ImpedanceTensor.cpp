#include "ImpedanceTensor.h"

#include <cmath>

ImpedanceTensor ImpedanceTensor::rotated(double angleDegrees) const
{
    const double a = angleDegrees * std::acos(-1.0) / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    // R Z first, then (R Z) R^T.
    const std::complex<double> rxx = c * xx + s * yx, rxy = c * xy + s * yy;
    const std::complex<double> ryx = -s * xx + c * yx, ryy = -s * xy + c * yy;
    return {rxx * c + rxy * s, -rxx * s + rxy * c, ryx * c + ryy * s, -ryx * s + ryy * c};
}

std::complex<double> ImpedanceTensor::determinant() const
{
    return xx * yy - xy * yx;
}
