#pragma once
// Scalar curves out of the regression's tensor: the apparent resistivity and phase of one
// element (output channel, input channel) at every estimated frequency, with its error bars.
// The phase is the true phase of the element, folded into 0 .. 90 degrees as the stacking
// estimators fold theirs (|arg Z|, and 180 minus that above 90: the yx element's third quadrant
// comes out near 45 degrees), without the phase compression of the cross-power path.

#include <QVector>

#include "ImpedanceErrorBar.h"
#include "RegressionRequest.h"
#include "SpectralRecords.h"

namespace RegressionCurves {

// The record of impedance z at f Hz: rho = |z|^2 / (5 f), folded phase, coherency as given, and
// the Bostick depth 356 sqrt(rho / f) and resistivity (90 / phase - 1) rho.
OneFreqImpedance impedanceRecord(double freq, std::complex<double> z, double coherency);

// Element (output, input) of every estimate into curve and bars (both emptied first), in the
// estimates' (increasing) frequency order.
void elementCurve(const QVector<RegressionEstimate> &estimates, int output, int input,
                  QVector<OneFreqImpedance> &curve, QVector<ImpedanceErrorBar> &bars);

}  // namespace RegressionCurves
