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

// One layer of the recursion: the impedance at its top from the impedance below its base,
// Z = eta (1 - r e) / (1 + r e) with r = (eta - below) / (eta + below) and e = exp(-2 k h),
// written with e instead of tanh(k h) so that thick layers cannot overflow.
struct LayerStep {
    Complex eta, k, e, r;
    double h;

    LayerStep(double omega, double rho, double thickness, Complex below)
        : eta(intrinsicImpedance(omega, rho)), k(wavenumber(omega, rho)),
          e(std::exp(-2.0 * k * thickness)), r((eta - below) / (eta + below)), h(thickness)
    {
    }

    Complex top() const { return eta * (1.0 - r * e) / (1.0 + r * e); }

    // dZ/d(below) = dZ/dr dr/d(below), with dZ/dr = -2 eta e / q^2, q = 1 + r e, and
    // dr/d(below) = -2 eta / (eta + below)^2 = -(1 + r)^2 / (2 eta).
    Complex derivativeByBelow() const
    {
        const Complex q = 1.0 + r * e;
        return e * (1.0 + r) * (1.0 + r) / (q * q);
    }

    // dZ/d ln rho with the impedance below held: eta grows as rho^1/2 (d eta = eta / 2), r through
    // eta (dr/d eta = (1 - r^2) / (2 eta)), and e through k ~ rho^-1/2 (de = e k h).
    Complex derivativeByLogRho() const
    {
        const Complex q = 1.0 + r * e;
        const Complex dZdr = -2.0 * eta * e / (q * q), dZde = -2.0 * eta * r / (q * q);
        return top() / 2.0 + dZdr * (1.0 - r * r) / 4.0 + dZde * e * k * h;
    }
};

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
        z = LayerStep(omega, rhos[i], thicknesses[i], z).top();
    return z * fieldUnitsPerOhm;
}

std::complex<double> LayeredEarthResponse::impedance(double f, std::vector<std::complex<double>> &dZ) const
{
    const double omega = 2.0 * pi * f;
    const int basement = static_cast<int>(rhos.size()) - 1;
    // Upwards: each layer's own derivative and how its top follows the impedance below it.
    std::vector<Complex> own(rhos.size()), passed(rhos.size());
    Complex z = intrinsicImpedance(omega, rhos[basement]);
    own[basement] = z / 2.0;
    for (int i = basement - 1; i >= 0; --i) {
        const LayerStep step(omega, rhos[i], thicknesses[i], z);
        own[i] = step.derivativeByLogRho();
        passed[i] = step.derivativeByBelow();
        z = step.top();
    }
    // Downwards: the chain rule through every layer above j.
    dZ.resize(rhos.size());
    Complex chain = fieldUnitsPerOhm;
    for (int j = 0; j <= basement; ++j) {
        dZ[j] = chain * own[j];
        chain *= passed[j];
    }
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
