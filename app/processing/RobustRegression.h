#pragma once
// Robust regression of one output channel on one or two input channels over the rows of one
// band: E = sum_i z_i H_i + residual, by iteratively reweighted least squares, with an optional
// remote reference R in place of the local inputs on the left of the normal equations
// (z = (R^H W H)^-1 R^H W E: noise in the local H that the remote channels do not share drops
// out).
//
// 1. Least squares with unit weights.
// 2. Huber stage: residual scale s = median |r| / sqrt(ln 2) (the RMS of a complex Gaussian
//    residual), weight 1 for |r| <= k s and k s / |r| beyond (k = 1.5), repeated until the
//    estimate settles.
// 3. Redescending stage from there with s held: Tukey's biweight (1 - (|r| / c s)^2)^2, zero beyond
//    c s (c = 4), so that gross outliers lose all weight.
// In every iteration a row whose leverage (hat-matrix diagonal h = w x^H (X^H W X)^-1 x of the
// local inputs) exceeds kappa times the mean p / N is down-weighted by the ratio, so a few very
// strong magnetic rows cannot pull the fit to themselves; leverage weights depend on the inputs
// only and do not bias the estimate.
//
// With fitSlope, each element is allowed to change linearly in log frequency across the band,
// z_i + s_i ln(f / f0): the fit then returns z_i at the band's own frequency f0 however the
// magnetic power is spread over the band, instead of z at some power-weighted frequency within
// it (the slopes cost a little variance and are not returned). Rows all at one frequency get no
// slope.
//
// Standard errors: delete-one-segment jackknife with the final weights held, the rows of a
// segment left out together (its lines are correlated through the taper), scaled by the ratio of
// the final weights to the effective derivative of the weighting (Huber's correction: held weights
// alone understate an M-estimate's spread). For each element the error returned is that of its
// real part and of its imaginary part (each sqrt(var / 2) of the complex variance), the convention
// of an EDI file's variances, and, separately, the errors along and across the element: the
// spread is not always round (a band's residual change of |Z| across its lines moves the
// magnitude more than the phase), and the resistivity and phase bars each take their own.

#include <complex>
#include <vector>

class BandCoefficients;

struct RobustRegressionSettings {
    double huberK = 1.5;
    double biweightC = 4.0;
    double leverageKappa = 4.0;
    int maxHuberIterations = 30;
    int biweightIterations = 4;
    double tolerance = 1e-6;      // relative change of the estimate that ends the Huber stage
    bool fitSlope = true;
};

struct RegressionFit {
    bool valid = false;
    int inputCount = 0;
    std::complex<double> z[2];
    double standardError[2] = {0, 0};  // of the real (= imaginary) part; NaN when not known
    // The same split along the element (radial: its magnitude, hence apparent resistivity) and
    // across it (tangential: its phase); standardError^2 is their mean square.
    double radialError[2] = {0, 0};
    double tangentialError[2] = {0, 0};
    double coherency = 0;              // predicted coherency of the output, 0 .. 1
    int rows = 0;
    int segments = 0;
};

namespace RobustRegression {

// output: channel of the band's rows predicted; inputs: 1 or 2 channels; references: empty (no
// remote reference) or as many channels as inputs. Invalid (valid false) with fewer than 4 rows
// per unknown (twice as many unknowns with fitSlope), fewer than 3 segments, or a singular
// system.
RegressionFit fit(const BandCoefficients &band, int output, const std::vector<int> &inputs,
                  const std::vector<int> &references,
                  const RobustRegressionSettings &settings = RobustRegressionSettings());

}  // namespace RobustRegression
