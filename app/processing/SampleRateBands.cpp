#include "SampleRateBands.h"

namespace SampleRateBands {

float descriptorCountScale(int sampleRate)
{
    return sampleRate > 4096 ? 3000.0f / 8388608.0f : float(2500.0 / 4294967296.0);
}

double tensorCountScale(int sampleRate)
{
    return sampleRate < 4096 ? 2500.0 / 4294967296.0 : 3000.0 / 8388608.0;
}

QString gainFolder(int sampleRate, bool lowBand)
{
    if (sampleRate > 4096)
        return QStringLiteral("/High-H/");
    return lowBand ? QStringLiteral("/Low-L/") : QStringLiteral("/Low-H/");
}

TensorResultBand tensorResultBand(double sampleRate)
{
    if (sampleRate > 4096)
        return TensorResultBand::High;
    if (sampleRate >= 501)
        return TensorResultBand::Middle;
    return TensorResultBand::Low;
}

TensorBand tensorBand(int fs, int n)
{
    TensorBand band{n > 0 ? double(fs / n) : 0.0, fs * 0.5};
    if (fs > 57900)
        band.lower = 1250.0;
    if (fs >= 502 && fs <= 4095)
        band = TensorBand{30.0, 1250.0};
    if (fs <= 500)
        band = TensorBand{1.0, 30.0};
    return band;
}

double spectrumLowerFrequency(double fs, int n)
{
    return fs >= 4096 ? 1000.0 : fs > 500 ? 10.0 : fs / n;
}

} // namespace SampleRateBands
