#include "OutputBand.h"

#include <algorithm>

OutputBand outputBand(double fs, int n, bool robustBand)
{
    OutputBand band{fs / n, fs * 0.5};
    if (fs >= 400000) {
        band.fmin = 10000;
    } else if (fs >= 200000) {
        band.fmin = 4000;
    } else if (fs > 50000) {
        band.fmax = 10000;
        band.fmin = std::max(500.0, 32 * fs / n);
    } else if (fs > 500 && fs < 4096) {
        band.fmax = std::min(1000.0, fs * 0.5);
        band.fmin = robustBand ? 1 : 10;
    }
    return band;
}
