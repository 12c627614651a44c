#pragma once
// One channel's calibrated spectrum of one segment, as columns of its lines (line k - 1 at k fs / n),
// valid while the run that hands it over is on that segment.

#include <complex>

struct CalibratedLines {
    int count = 0;                               // lines; 0: no spectrum for this segment
    double fs = 0.0;                             // Hz, of the channel
    const double *frequencies = nullptr;
    const double *amplitudes = nullptr;
    const double *phases = nullptr;              // radians, as differences of arguments (unwrapped)
    const std::complex<double> *values = nullptr;  // amplitude e^(i phase)

    bool isEmpty() const { return count == 0; }
};
