#include "LineImpedances.h"

namespace {

// A 256-bit version is chosen at load time where the processor has it (the same operations, so the
// same numbers). Without factors (k null) the quotients are written as they are.
template <bool calibrated>
__attribute__((target_clones("avx2", "default")))
void quotients(const double *__restrict e, const double *__restrict h, const double *__restrict k,
               int lines, double *__restrict z)
{
    for (int i = 0; i < lines; ++i) {
        const double er = e[2 * i], ei = e[2 * i + 1];
        const double hr = h[2 * i], hi = h[2 * i + 1];
        const double inverse = 1 / (hr * hr + hi * hi);
        const double qr = (er * hr + ei * hi) * inverse;
        const double qi = (ei * hr - er * hi) * inverse;
        if (calibrated) {
            z[2 * i] = qr;
            z[2 * i + 1] = qi;
        } else {
            const double kr = k[2 * i], ki = k[2 * i + 1];
            z[2 * i] = kr * qr - ki * qi;
            z[2 * i + 1] = kr * qi + ki * qr;
        }
    }
}

}  // namespace

namespace LineImpedances {

void compute(const gsl_complex *e, const gsl_complex *h, int lines, gsl_complex *z)
{
    quotients<true>(e->dat, h->dat, nullptr, lines, z->dat);
}

void compute(const gsl_complex *e, const gsl_complex *h, const gsl_complex *factors, int lines,
             gsl_complex *z)
{
    quotients<false>(e->dat, h->dat, factors->dat, lines, z->dat);
}

}  // namespace LineImpedances
