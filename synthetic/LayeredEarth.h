#pragma once
// One-dimensional layered earth of the synthetic survey: layers of given resistivity (ohm-m) and
// thickness (m) over a half-space, with their plane-wave response (LayeredEarthResponse): the
// impedance in field units, E in mV/km over B in nT, its Cagniard apparent resistivity and phase.

#include <QVector>
#include <complex>

#include "LayeredEarthResponse.h"

class LayeredEarth {
public:
    struct Layer {
        double rho = 100.0;        // ohm-m
        double thickness = 100.0;  // m
    };

    // A uniform half-space of resistivity rho (ohm-m).
    explicit LayeredEarth(double halfSpaceRho = 100.0);
    // Layers from the surface down over a basement of resistivity basementRho.
    LayeredEarth(const QVector<Layer> &layers, double basementRho);

    // Surface impedance E/B in (mV/km)/nT at frequency f (Hz, > 0).
    std::complex<double> impedance(double f) const;
    // Apparent resistivity 0.2 T |Z|^2 in ohm-m.
    double apparentResistivity(double f) const;
    // Phase of Z in degrees (0 to 90 for any layered earth).
    double phaseDegrees(double f) const;

    const QVector<Layer> &layers() const { return layerList; }
    double basementRho() const { return basement; }

private:
    QVector<Layer> layerList;
    double basement;
    LayeredEarthResponse response;
};
