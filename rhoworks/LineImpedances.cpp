#include "LineImpedances.h"

namespace {

// A 256-bit version is chosen at load time where the processor has it (the same operations, so the
// same numbers).
__attribute__((target_clones("avx2", "default")))
void quotients(const double *__restrict e, const double *__restrict h, int lines, double *__restrict z)
{
    for (int i = 0; i < lines; ++i) {
        const double er = e[2 * i], ei = e[2 * i + 1];
        const double hr = h[2 * i], hi = h[2 * i + 1];
        const double inverse = 1 / (hr * hr + hi * hi);
        z[2 * i] = (er * hr + ei * hi) * inverse;
        z[2 * i + 1] = (ei * hr - er * hi) * inverse;
    }
}

}  // namespace

namespace LineImpedances {

void compute(const gsl_complex *e, const gsl_complex *h, int lines, gsl_complex *z)
{
    quotients(e->dat, h->dat, lines, z->dat);
}

}  // namespace LineImpedances
