#include "BandCoefficients.h"

#include <algorithm>

BandCoefficients::BandCoefficients(int channelCount, int maxSegmentCount)
    : channels(channelCount), maxSegments(std::max(maxSegmentCount, 2))
{
}

void BandCoefficients::append(long long index, const std::complex<double> *rowValues, double logOffset)
{
    if (segmentOfRow.empty() || segmentOfRow.back() != index) {
        if (segments == maxSegments)
            thin();
        if (!wants(index))
            return;
        ++segments;
    }
    values.insert(values.end(), rowValues, rowValues + channels);
    segmentOfRow.push_back(index);
    offsetOfRow.push_back(logOffset);
}

// Keeps the segments whose index is a multiple of twice the stride.
void BandCoefficients::thin()
{
    stride *= 2;
    size_t kept = 0;
    segments = 0;
    for (size_t row = 0; row < segmentOfRow.size(); ++row) {
        const long long index = segmentOfRow[row];
        if (index % stride != 0)
            continue;
        if (kept == 0 || segmentOfRow[kept - 1] != index)
            ++segments;
        segmentOfRow[kept] = index;
        offsetOfRow[kept] = offsetOfRow[row];
        for (int c = 0; c < channels; ++c)
            values[kept * size_t(channels) + size_t(c)] = values[row * size_t(channels) + size_t(c)];
        ++kept;
    }
    segmentOfRow.resize(kept);
    offsetOfRow.resize(kept);
    values.resize(kept * size_t(channels));
}
