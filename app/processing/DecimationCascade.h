#pragma once
// The time-series front end of the regression estimator: several synchronous channels streamed
// through a cascade of decimation levels (level 0 is the recording itself, each further level the
// one above low-pass filtered and decimated by 4, DecimationFilter) and cut at every level into
// segments of L samples overlapping by half (a hop of L/2). Each segment is handed to a sink as
// soon as all channels have it, so memory holds only a few segments per level whatever the
// recording's length.
//
// With prewhitening, each level's series is first-differenced (y[t] = x[t] - x[t-1]) before it is
// cut: a red spectrum becomes nearly white, so the taper's leakage no longer carries the strong
// low-frequency power into the weak lines above it. The difference's response 1 - exp(-i w),
// w = 2 pi k / L on line k, is divided out of the coefficients afterwards (prewhiteningResponse).
// The next level is always decimated from the level's own, undifferenced series.

#include <complex>
#include <functional>
#include <vector>

#include "DecimationFilter.h"

class DecimationCascade {
public:
    // level: 0 .. levelCount-1; index: the segment's number within its level (0, 1, ...; segment
    // i starts at sample i * L/2 of the level's series); channels[c]: L samples of channel c.
    using SegmentSink = std::function<void(int level, long long index,
                                           const std::vector<const double *> &channels)>;

    DecimationCascade(int channelCount, int levelCount, int segmentLength, bool prewhiten,
                      SegmentSink sink);

    // Pushes count samples of every channel (samples[c] points at channel c's). All channels
    // advance together.
    void push(const std::vector<const double *> &samples, int count);

    // Segments of length L with hop L/2 in a series of the given length.
    static long long segmentCount(long long samples, int segmentLength);
    // Samples of level `level` when level 0 holds samples.
    static long long levelLength(long long samples, int level);
    // The response of first-differencing on line k of an L-sample segment: 1 - exp(-2 pi i k / L).
    static std::complex<double> prewhiteningResponse(int k, int segmentLength);

private:
    struct Level {
        std::vector<std::vector<double>> series;     // per channel: samples not yet segmented
        std::vector<double> lastSample;              // per channel, for the first difference
        std::vector<DecimationFilter> filters;       // per channel, into the next level
        long long nextIndex = 0;
        bool started = false;
    };

    void pushLevel(int level, const std::vector<const double *> &samples, int count);
    void appendSeries(Level &state, int channel, const double *samples, int count);
    void emitSegments(int level);

    int channels;
    int length;
    bool differenced;
    SegmentSink sink;
    std::vector<Level> levels;
};
