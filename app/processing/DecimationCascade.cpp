#include "DecimationCascade.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

DecimationCascade::DecimationCascade(int channelCount, int levelCount, int segmentLength,
                                     bool prewhiten, SegmentSink segmentSink)
    : channels(channelCount), length(segmentLength), differenced(prewhiten),
      sink(std::move(segmentSink)), levels(size_t(std::max(levelCount, 0)))
{
    for (Level &level : levels) {
        level.series.resize(size_t(channels));
        level.lastSample.assign(size_t(channels), 0.0);
        level.filters.resize(size_t(channels));
    }
}

long long DecimationCascade::segmentCount(long long samples, int segmentLength)
{
    const int hop = segmentLength / 2;
    return hop < 1 || samples < segmentLength ? 0 : (samples - segmentLength) / hop + 1;
}

long long DecimationCascade::levelLength(long long samples, int level)
{
    for (int k = 0; k < level; ++k)
        samples = DecimationFilter::outputCount(samples);
    return samples;
}

std::complex<double> DecimationCascade::prewhiteningResponse(int k, int segmentLength)
{
    return 1.0 - std::polar(1.0, -2 * kPi * k / segmentLength);
}

void DecimationCascade::push(const std::vector<const double *> &samples, int count)
{
    if (!levels.empty() && count > 0 && int(samples.size()) == channels)
        pushLevel(0, samples, count);
}

void DecimationCascade::pushLevel(int level, const std::vector<const double *> &samples, int count)
{
    Level &state = levels[size_t(level)];
    const bool deeper = level + 1 < int(levels.size());
    std::vector<std::vector<double>> decimated(deeper ? size_t(channels) : 0);
    for (int c = 0; c < channels; ++c) {
        appendSeries(state, c, samples[size_t(c)], count);
        if (deeper)
            state.filters[size_t(c)].push(samples[size_t(c)], count, decimated[size_t(c)]);
    }
    state.started = true;
    emitSegments(level);
    if (!deeper || decimated.front().empty())
        return;
    std::vector<const double *> next(static_cast<size_t>(channels));
    for (int c = 0; c < channels; ++c)
        next[size_t(c)] = decimated[size_t(c)].data();
    pushLevel(level + 1, next, int(decimated.front().size()));
}

// The level's series, first-differenced when prewhitening (the very first sample has no
// predecessor and starts the differenced series one sample later).
void DecimationCascade::appendSeries(Level &state, int channel, const double *samples, int count)
{
    std::vector<double> &series = state.series[size_t(channel)];
    if (!differenced) {
        series.insert(series.end(), samples, samples + count);
        return;
    }
    double last = state.lastSample[size_t(channel)];
    for (int i = 0; i < count; ++i) {
        if (state.started || i > 0)
            series.push_back(samples[i] - last);
        last = samples[i];
    }
    state.lastSample[size_t(channel)] = last;
}

void DecimationCascade::emitSegments(int level)
{
    Level &state = levels[size_t(level)];
    const size_t hop = size_t(length / 2);
    size_t start = 0;
    std::vector<const double *> segment(static_cast<size_t>(channels));
    while (start + size_t(length) <= state.series.front().size()) {
        for (int c = 0; c < channels; ++c)
            segment[size_t(c)] = state.series[size_t(c)].data() + start;
        sink(level, state.nextIndex++, segment);
        start += hop;
    }
    for (std::vector<double> &series : state.series)
        series.erase(series.begin(), series.begin() + long(start));
}
