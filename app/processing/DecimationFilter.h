#pragma once
// One step of the decimation cascade for one channel: a linear-phase FIR low-pass filter
// followed by keeping every fourth sample, run on a stream of samples pushed in chunks of any
// size (the output does not depend on how the stream is cut).
//
// The filter is a Blackman-windowed sinc of 64 taps with its cut-off at the output's Nyquist
// frequency (fs / 8 of the input), normalised to unit gain at 0 Hz: flat to within 0.1 % up to
// 0.08 fs of the input (0.33 of the output rate), and more than 70 dB down from 0.17 fs, so
// nothing aliases onto the lower third of the output band where the estimator's bands lie. Every
// channel of a recording passes through the same filter, so its response cancels in the ratios
// of an impedance.

#include <vector>

class DecimationFilter {
public:
    static constexpr int kFactor = 4;
    static constexpr int kTaps = 64;

    // Filters and decimates count samples; appends the new output samples to out.
    void push(const double *samples, int count, std::vector<double> &out);

    // The filter's taps, sum 1.
    static const std::vector<double> &taps();
    // Samples one level of the cascade yields from inputCount samples of the level above.
    static long long outputCount(long long inputCount);

private:
    std::vector<double> pending;  // input samples not yet past the filter's far end
};
