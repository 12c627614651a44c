#pragma once
// Re-evaluation of rho, phase and coherency of a curve through a spline fitted over the records
// that are kept (not hit): the repair behind the power-line treatments.

#include <QVector>

#include "SpectralRecords.h"

// hit[i] marks record i as left out of the fit. The spline is GSL's Akima spline when at least
// five records are kept and every hit lies inside their frequency span; otherwise linear
// interpolation with the end values held; with fewer than two kept records, or kept frequencies
// that are not strictly increasing, the curve is left unchanged (debug line naming caller).
// replaceAll re-evaluates every record, otherwise only the hits; the new values are absolute values.
void splineRepair(QVector<OneFreqImpedance> &curve, const QVector<bool> &hit, bool replaceAll,
                  const char *caller);
