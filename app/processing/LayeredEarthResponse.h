#pragma once
// Plane-wave response of a one-dimensional layered earth: the surface impedance in field units,
// E in mV/km over B in nT, for which the Cagniard relation rho_a = 0.2 T |Z|^2 (T = 1/f in s)
// holds exactly, and its exact derivatives with respect to the logarithm of each layer's
// resistivity (the Jacobian of an inversion). Time dependence e^{iwt}: the phase of Z lies in the
// first quadrant, 45 degrees over a uniform half-space.

#include <complex>
#include <vector>

class LayeredEarthResponse {
public:
    // rhos: resistivities (ohm-m, > 0) from the surface down, the last one that of the half-space
    // beneath; thicknesses (m, > 0): one for each layer above the half-space.
    LayeredEarthResponse(std::vector<double> rhos, std::vector<double> thicknesses);

    // Surface impedance E/B in (mV/km)/nT at frequency f (Hz, > 0).
    std::complex<double> impedance(double f) const;
    // The surface impedance at f, and in dZ[j] its derivative with respect to ln rho_j for every
    // layer j (the half-space last), in the same units.
    std::complex<double> impedance(double f, std::vector<std::complex<double>> &dZ) const;

    // Apparent resistivity 0.2 T |Z|^2 (ohm-m) of the impedance z at frequency f (Hz).
    static double apparentResistivity(std::complex<double> z, double f);
    // Phase of z in degrees.
    static double phaseDegrees(std::complex<double> z);

private:
    std::vector<double> rhos;
    std::vector<double> thicknesses;
};
