#include "LayeredEarth.h"

namespace {

LayeredEarthResponse responseOf(const QVector<LayeredEarth::Layer> &layers, double basementRho)
{
    std::vector<double> rhos, thicknesses;
    for (const LayeredEarth::Layer &layer : layers) {
        rhos.push_back(layer.rho);
        thicknesses.push_back(layer.thickness);
    }
    rhos.push_back(basementRho);
    return LayeredEarthResponse(rhos, thicknesses);
}

} // namespace

LayeredEarth::LayeredEarth(double halfSpaceRho)
    : basement(halfSpaceRho), response(responseOf({}, halfSpaceRho))
{
}

LayeredEarth::LayeredEarth(const QVector<Layer> &layers, double basementRho)
    : layerList(layers), basement(basementRho), response(responseOf(layers, basementRho))
{
}

std::complex<double> LayeredEarth::impedance(double f) const
{
    return response.impedance(f);
}

double LayeredEarth::apparentResistivity(double f) const
{
    return LayeredEarthResponse::apparentResistivity(impedance(f), f);
}

double LayeredEarth::phaseDegrees(double f) const
{
    return LayeredEarthResponse::phaseDegrees(impedance(f));
}
