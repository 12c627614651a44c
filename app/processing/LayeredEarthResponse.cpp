#include "LayeredEarthResponse.h"

#include <cmath>
#include <utility>

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

LayeredEarthResponse::LayeredEarthResponse(std::vector<double> rhos, std::vector<double> thicknesses)
    : rhos(std::move(rhos)), thicknesses(std::move(thicknesses))
{
}

std::complex<double> LayeredEarthResponse::impedance(double f) const
{
    const double omega = 2.0 * pi * f;
    const int basement = static_cast<int>(rhos.size()) - 1;
    Complex z = intrinsicImpedance(omega, rhos[basement]);
    for (int i = basement - 1; i >= 0; --i)
        z = impedanceAtTop(intrinsicImpedance(omega, rhos[i]), wavenumber(omega, rhos[i]),
                           thicknesses[i], z);
    return z * fieldUnitsPerOhm;
}

double LayeredEarthResponse::apparentResistivity(std::complex<double> z, double f)
{
    return 0.2 / f * std::norm(z);
}

double LayeredEarthResponse::phaseDegrees(std::complex<double> z)
{
    return std::arg(z) * 180.0 / pi;
}
