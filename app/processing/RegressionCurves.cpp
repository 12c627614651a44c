#include "RegressionCurves.h"

#include <cmath>

namespace RegressionCurves {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

OneFreqImpedance impedanceRecord(double freq, std::complex<double> z, double coherency)
{
    OneFreqImpedance record;
    record.freq = freq;
    record.coherency = coherency;
    record.rho = std::norm(z) / (freq * 5);
    double phase = std::fabs(std::arg(z)) / kPi * 180;
    if (phase > 90)
        phase = 180 - phase;
    record.phase = phase;
    if (record.rho != 0) {
        record.bostickDepth = 356 * std::sqrt(record.rho / freq);
        record.bostickRho = (90 / phase - 1) * record.rho;
    }
    return record;
}

void elementCurve(const QVector<RegressionEstimate> &estimates, int output, int input,
                  QVector<OneFreqImpedance> &curve, QVector<ImpedanceErrorBar> &bars)
{
    curve.clear();
    bars.clear();
    for (const RegressionEstimate &estimate : estimates) {
        if (output >= estimate.fits.size() || input >= estimate.fits[output].inputCount)
            continue;
        const RegressionFit &fit = estimate.fits[output];
        curve.append(impedanceRecord(estimate.freq, fit.z[input], fit.coherency));
        bars.append(ImpedanceErrorBar::fromImpedance(estimate.freq, fit.z[input], fit.radialError[input],
                                                     fit.tangentialError[input]));
    }
}

}  // namespace RegressionCurves
