#pragma once
// The band of output frequencies for a recording sampled at fs Hz and cut into n-sample segments.

struct OutputBand {
    double fmin;  // Hz
    double fmax;  // Hz
};

// From fs/n .. fs/2, narrowed by sampling band: at 400 kHz and above from 10 kHz; from 200 kHz
// from 4 kHz; above 50 kHz up to 10 kHz from max(500 Hz, 32 fs/n); above 500 Hz and below 4096 Hz
// up to min(1 kHz, fs/2) from 10 Hz (1 Hz for the repeated-median estimator, robustBand).
OutputBand outputBand(double fs, int n, bool robustBand);
