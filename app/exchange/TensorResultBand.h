#pragma once
// The file extension of a tensor result band (SampleRateBands::tensorResultBand chooses the band
// from the recording's sampling rate; the station's band flag follows the same rule).

#include <QString>

#include "SampleRateBands.h"

namespace TensorResultBands {

// ".HMT", ".MMT" or ".LMT".
QString extension(TensorResultBand band);

} // namespace TensorResultBands
