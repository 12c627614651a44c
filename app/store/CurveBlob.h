#pragma once
// The database form of a result curve: the plain concatenation of 56-byte OneFreqImpedance
// records, each seven little-endian IEEE-754 doubles in field order (tag, freq, coherency, rho,
// phase, bostickRho, bostickDepth). No header, count or padding.

#include "SpectralRecords.h"

#include <QByteArray>
#include <QVector>

namespace CurveBlob {

constexpr int kRecordBytes = 56;

QByteArray encode(const QVector<OneFreqImpedance> &curve);
// Empties curve, then appends one record per whole 56-byte slice of blob, in order; a trailing
// partial record is ignored.
void decode(const QByteArray &blob, QVector<OneFreqImpedance> &curve);
QVector<OneFreqImpedance> decode(const QByteArray &blob);

} // namespace CurveBlob
