#pragma once
// The multi-polarity curve of a station: the ExHy, EyHx and Ex2Hy curves combined record by
// record, in single precision. The first non-empty curve (in that order) gives the frequencies;
// resistivity and phase are the means of the non-empty curves at the same index, coherency is
// 0.75 and the Bostick figures follow from the means (Spectrix's formulas, in double precision
// from the single-precision means). Curves of unequal length are combined up
// to the shortest one. No curve: empty; one curve: a copy of it.

#include <QVector>

#include "SpectralRecords.h"

namespace MultiPolarityCurve {

QVector<OneFreqImpedance> combine(const QVector<OneFreqImpedance> &exHy,
                                  const QVector<OneFreqImpedance> &eyHx,
                                  const QVector<OneFreqImpedance> &ex2Hy);

} // namespace MultiPolarityCurve
