#pragma once
// Full scale of the recorder's converter in mV, chosen by the sampling frequency as the converter
// scale is: a sample reaching it is clipped.

namespace ConverterRange {

constexpr double kLowBandLimitHz = 4096;

inline double fullScaleMillivolts(double fs)
{
    return fs < kLowBandLimitHz ? 2500.0 : 3000.0;
}

}  // namespace ConverterRange
