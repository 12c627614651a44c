#pragma once
// The frequency band a recording's tensor curve covers, chosen from its sampling rate fs (Hz) and
// segment length n: by default fs / n (integer division) to fs * 0.5; above 57900 Hz from
// 1250 Hz; from 502 to 4095 Hz the band 30 to 1250 Hz; at 500 Hz and below 1 to 30 Hz.

struct TensorBand {
    double lower = 0.0;  // Hz
    double upper = 0.0;  // Hz

    // n must be positive (a non-positive n gives the lower limit 0 under the default rule).
    static TensorBand forRecording(int fs, int n);
};
