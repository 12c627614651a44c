#include "StationData.h"

#include <cmath>
#include <complex>

#include "LayeredEarthResponse.h"

namespace {

LayeredEarthResponse responseOf(const LayerGrid &grid, const std::vector<double> &model)
{
    std::vector<double> rhos;
    for (double logRho : model)
        rhos.push_back(std::pow(10.0, logRho));
    return LayeredEarthResponse(rhos, grid.thicknessesAboveHalfSpace());
}

} // namespace

StationData::StationData(const std::vector<CurvePoint> &records, const DataErrors &dataErrors)
{
    const double logRhoError = std::log10(1.0 + dataErrors.rhoRelative);
    for (const CurvePoint &p : records) {
        freqs.push_back(p.freq);
        observed.insert(observed.end(), {std::log10(p.rho), p.phase});
        errors.insert(errors.end(), {logRhoError, dataErrors.phaseDegrees});
    }
}

void StationData::setResiduals(size_t record, std::complex<double> z, std::vector<double> &r) const
{
    const size_t i = 2 * record;
    r[i] = (observed[i] - std::log10(LayeredEarthResponse::apparentResistivity(z, freqs[record])))
           / errors[i];
    r[i + 1] = (observed[i + 1] - LayeredEarthResponse::phaseDegrees(z)) / errors[i + 1];
}

std::vector<double> StationData::residuals(const LayerGrid &grid, const std::vector<double> &model) const
{
    const LayeredEarthResponse response = responseOf(grid, model);
    std::vector<double> r(observed.size());
    for (size_t i = 0; i < freqs.size(); ++i)
        setResiduals(i, response.impedance(freqs[i]), r);
    return r;
}

// With rho_a = 0.2 T |Z|^2 and phase = arg Z, a change dZ of the impedance moves log10 rho_a by
// 2 Re(dZ / Z) / ln 10 and the phase by Im(dZ / Z) in radians; a model step in log10 rho is
// ln 10 times one in ln rho.
std::vector<double> StationData::residuals(const LayerGrid &grid, const std::vector<double> &model,
                                           std::vector<double> &jacobian) const
{
    const LayeredEarthResponse response = responseOf(grid, model);
    const int layers = grid.layerCount();
    const double ln10 = std::log(10.0), degrees = 180.0 / std::acos(-1.0);
    std::vector<double> r(observed.size());
    std::vector<std::complex<double>> dZ;
    jacobian.assign(observed.size() * layers, 0.0);
    for (size_t i = 0; i < freqs.size(); ++i) {
        const std::complex<double> z = response.impedance(freqs[i], dZ);
        setResiduals(i, z, r);
        for (int j = 0; j < layers; ++j) {
            const std::complex<double> relative = dZ[j] / z;
            jacobian[(2 * i) * layers + j] = 2.0 * relative.real() / errors[2 * i];
            jacobian[(2 * i + 1) * layers + j] = ln10 * degrees * relative.imag() / errors[2 * i + 1];
        }
    }
    return r;
}

double StationData::meanLogRho() const
{
    double sum = 0.0;
    for (size_t i = 0; i < observed.size(); i += 2)
        sum += observed[i];
    return observed.empty() ? 0.0 : sum / (observed.size() / 2);
}
