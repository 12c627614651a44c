#include "TensorBand.h"

TensorBand TensorBand::forRecording(int fs, int n)
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
