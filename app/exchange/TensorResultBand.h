#pragma once
// The sampling band a tensor result belongs to, chosen from the recording's sampling rate: above
// 4096 Hz the high band, below 501 Hz the low band, and 501 to 4096 Hz (both ends included) the
// middle band. The file extension and the station's band flag follow the same rule.

#include <QString>

enum class TensorResultBand { High, Middle, Low };

namespace TensorResultBands {

TensorResultBand ofSampleRate(double sampleRate);
// ".HMT", ".MMT" or ".LMT".
QString extension(TensorResultBand band);

} // namespace TensorResultBands
