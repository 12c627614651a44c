#pragma once
// Which recording each record of a station's assembled curve came from. The station's curve is
// its used recordings' results appended in collection order and sorted stably by frequency, so
// the k-th record at a frequency belongs to the k-th of those recordings whose result holds that
// frequency.

#include <QVector>

#include "SpectralRecords.h"

class Data_Station;

namespace RecordingOrigins {

// The sampling rate (Hz) of the recording behind each record of curve, the station's curve of
// pair channel (0 ExHy, 1 EyHx, 2 Ex2Hy); 0 where no recording's result holds the record's
// frequency (for instance after the curve was edited by hand).
QVector<int> ratesOf(Data_Station &station, int channel, const QVector<OneFreqImpedance> &curve);

} // namespace RecordingOrigins
