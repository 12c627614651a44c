#include "RegressionCollector.h"

#include <algorithm>
#include <cmath>

RegressionCollector::RegressionCollector(
    const RegressionBandPlan &plan, std::vector<std::vector<std::vector<std::complex<double>>>> factors,
    int outputChannels, int segmentLength, int maxRowsPerBand)
    : bands(plan.bands()), outputs(outputChannels), length(segmentLength),
      bandsOfLevel(size_t(plan.levelCount())),
      lineFactors(std::move(factors)), transform(segmentLength)
{
    for (int level = 0; level < plan.levelCount(); ++level)
        levelRates.push_back(plan.levelRate(level));
    const int channels = int(lineFactors.size());
    for (size_t b = 0; b < bands.size(); ++b) {
        bandsOfLevel[size_t(bands[b].level)].push_back(int(b));
        stores.emplace_back(channels, std::max(1, maxRowsPerBand / bands[b].lineCount()));
    }
    lines.assign(size_t(channels), std::vector<std::complex<double>>(size_t(segmentLength / 2 + 1)));
    row.resize(size_t(channels));
}

void RegressionCollector::consume(int level, long long index, const std::vector<const double *> &channels)
{
    const std::vector<int> &levelBands = bandsOfLevel[size_t(level)];
    const bool wanted = std::any_of(levelBands.begin(), levelBands.end(),
                                    [&](int b) { return stores[size_t(b)].wants(index); });
    if (!wanted)
        return;
    transformChannels(channels);
    for (int b : levelBands)
        if (stores[size_t(b)].wants(index))
            takeLines(b, level, index);
}

void RegressionCollector::transformChannels(const std::vector<const double *> &channels)
{
    for (size_t c = 0; c < channels.size(); ++c)
        transform.transform(channels[c], lines[c].data());
}

void RegressionCollector::takeLines(int b, int level, long long index)
{
    const RegressionBand &band = bands[size_t(b)];
    const double df = levelRates[size_t(level)] / length;
    for (int k = band.firstLine; k <= band.lastLine; k += band.lineStride) {
        const double toBandCentre = std::sqrt(band.f0 / (k * df));
        for (size_t c = 0; c < lines.size(); ++c) {
            row[c] = lines[c][size_t(k)] * lineFactors[c][size_t(level)][size_t(k)];
            if (int(c) < outputs)
                row[c] *= toBandCentre;
        }
        stores[size_t(b)].append(index, row.data(), std::log(k * df / band.f0));
    }
}
