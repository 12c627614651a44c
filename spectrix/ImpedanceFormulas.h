#pragma once
// Formulas that turn one cross-power matrix into the scalar magnetotelluric result of its frequency.
// E is in mV/km and H in nT; frequencies in Hz, phases in degrees, resistivities in ohm metres.

#include "SpectralRecords.h"
#include "SpectrixExport.h"

namespace ImpedanceFormulas {

// Cagniard apparent resistivity 0.2 T |E|^2 / |H|^2 from Re(S0), Re(S3) and the frequency f.
double cagniardRho(gsl_complex s0, gsl_complex s3, double f);
// |arg(S1)| in degrees, folded into 0..90 (a phase beyond 90 becomes 180 minus it).
SPECTRIX_EXPORT double foldedPhaseDegrees(gsl_complex s1);
// Compresses a folded phase towards 45: three quarters above it, one half below; below 0.01 counts
// as 1.05. Maps 0..90 onto 22.505..78.75.
double mappedPhase(double phase);
// Bostick depth 356 sqrt(rho / f) (m) and Niblett-Bostick resistivity (90 / phase - 1) rho
// (ohm-m) from rho (ohm-m), the frequency f (Hz) and the phase (degrees). The one place these
// formulas live: curves, sections and exports all take them from here.
SPECTRIX_EXPORT double bostickDepth(double rho, double f);
SPECTRIX_EXPORT double bostickRho(double rho, double phase);
// Replaces coherency, phase and rho with 0.01, 45 and 1 when the coherency is not finite, and logs it.
void substituteFallback(OneFreqImpedance &result);

} // namespace ImpedanceFormulas
