#include "LayeredEarth.h"

#include <cmath>

namespace {

using Complex = std::complex<double>;

const double pi = std::acos(-1.0);
const double mu0 = 4.0e-7 * pi;  // H/m
// E in mV/km is 1e-6 V/m and B in nT is 1e-9 T, so E/B in field units is 1e-3 times E/B in SI,
// and E/B = (E/H) / mu0: Z_field = Z_SI / (mu0 * 1e3), with Z_SI = E/H in ohm.
const double fieldUnitsPerOhm = 1.0 / (mu0 * 1.0e3);

// Intrinsic impedance sqrt(i w mu0 rho) of a uniform medium, in ohm.
Complex intrinsicImpedance(double omega, double rho)
{
    return std::sqrt(Complex(0.0, omega * mu0 * rho));
}

// Propagation constant sqrt(i w mu0 / rho), in 1/m.
Complex wavenumber(double omega, double rho)
{
    return std::sqrt(Complex(0.0, omega * mu0 / rho));
}

// Impedance at the top of a layer whose base sees impedance below. Written with
// e = exp(-2 k h) instead of tanh(k h) so that thick layers cannot overflow.
Complex impedanceAtTop(Complex intrinsic, Complex k, double thickness, Complex below)
{
    const Complex e = std::exp(-2.0 * k * thickness);
    const Complex r = (intrinsic - below) / (intrinsic + below);
    return intrinsic * (1.0 - r * e) / (1.0 + r * e);
}

} // namespace

LayeredEarth::LayeredEarth(double halfSpaceRho) : basement(halfSpaceRho) {}

LayeredEarth::LayeredEarth(const QVector<Layer> &layers, double basementRho)
    : layerList(layers), basement(basementRho)
{
}

std::complex<double> LayeredEarth::impedance(double f) const
{
    const double omega = 2.0 * pi * f;
    Complex z = intrinsicImpedance(omega, basement);
    for (int i = layerList.size() - 1; i >= 0; --i) {
        const Layer &layer = layerList.at(i);
        z = impedanceAtTop(intrinsicImpedance(omega, layer.rho), wavenumber(omega, layer.rho),
                           layer.thickness, z);
    }
    return z * fieldUnitsPerOhm;
}

double LayeredEarth::apparentResistivity(double f) const
{
    return 0.2 / f * std::norm(impedance(f));
}

double LayeredEarth::phaseDegrees(double f) const
{
    return std::arg(impedance(f)) * 180.0 / pi;
}
