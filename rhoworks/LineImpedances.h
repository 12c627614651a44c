#pragma once
// The impedance of every spectral line of one segment pair, z = E / H. Estimators that need only
// the impedances take the pair's transform lines as they are, with one factor per line that holds
// both channels' calibration (and the unit conversion), so that the calibration never makes a pass
// of its own over the lines.

#include <gsl/gsl_complex.h>

namespace LineImpedances {

// z[i] = e[i] / h[i] of calibrated lines, as e conj(h) / |h|^2: one division per line.
void compute(const gsl_complex *e, const gsl_complex *h, int lines, gsl_complex *z);
// z[i] = factors[i] * (e[i] / h[i]) of transform lines.
void compute(const gsl_complex *e, const gsl_complex *h, const gsl_complex *factors, int lines,
             gsl_complex *z);

}  // namespace LineImpedances

// One segment pair's E and H transform lines (unscaled) and the factors that calibrate their
// quotients, valid while the consumer that receives it runs.
struct TransformPair {
    const gsl_complex *e = nullptr;
    const gsl_complex *h = nullptr;
    const gsl_complex *factors = nullptr;
    int lines = 0;

    // The impedances of lines [first, first + count), written to z.
    void impedances(int first, int count, gsl_complex *z) const
    {
        LineImpedances::compute(e + first, h + first, factors + first, count, z);
    }
};
