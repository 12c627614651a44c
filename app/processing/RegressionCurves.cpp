#include "RegressionCurves.h"

#include <cmath>
#include <gsl/gsl_complex_math.h>

#include "ImpedanceFormulas.h"

namespace RegressionCurves {

OneFreqImpedance impedanceRecord(double freq, std::complex<double> z, double coherency)
{
    OneFreqImpedance record;
    record.freq = freq;
    record.coherency = coherency;
    record.rho = std::norm(z) / (freq * 5);
    record.phase = ImpedanceFormulas::foldedPhaseDegrees(gsl_complex_rect(z.real(), z.imag()));
    if (record.rho != 0) {
        record.bostickDepth = ImpedanceFormulas::bostickDepth(record.rho, freq);
        record.bostickRho = ImpedanceFormulas::bostickRho(record.rho, record.phase);
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
