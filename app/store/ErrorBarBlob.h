#pragma once
// The database form of a curve's error bars, stored beside the curve's own BLOB (the 56-byte
// OneFreqImpedance records stay as they are): the plain concatenation of 24-byte records, each
// three little-endian IEEE-754 doubles (frequency in Hz, apparent-resistivity error in ohm-m,
// phase error in degrees). No header, count or padding; a trailing partial record is ignored. An
// empty BLOB, or a NULL column of a project written before the columns existed, means that no
// error is known.

#include <QByteArray>
#include <QVector>

#include "ImpedanceErrorBar.h"

namespace ErrorBarBlob {

constexpr int kRecordBytes = 24;

QByteArray encode(const QVector<ImpedanceErrorBar> &bars);
QVector<ImpedanceErrorBar> decode(const QByteArray &blob);

} // namespace ErrorBarBlob
