#pragma once
// The impedance of every spectral line of one segment pair, z = E / H.

#include <gsl/gsl_complex.h>

namespace LineImpedances {

// z[i] = e[i] / h[i] as e conj(h) / |h|^2: one division per line.
void compute(const gsl_complex *e, const gsl_complex *h, int lines, gsl_complex *z);

}  // namespace LineImpedances
