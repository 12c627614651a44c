#include "SampleEnvelope.h"

#include <algorithm>
#include <cmath>

SampleEnvelope::SampleEnvelope(const QList<QVector<double>> &segments) : parts(segments)
{
    qint64 total = 0;
    offsets.reserve(parts.size());
    for (const QVector<double> &part : qAsConst(parts)) {
        total += part.size();
        offsets.append(total);
    }
    summarizeBlocks();
}

void SampleEnvelope::summarizeBlocks()
{
    const int blocks = int((size() + kBlock - 1) / kBlock);
    blockLow.fill(HUGE_VAL, blocks);
    blockHigh.fill(-HUGE_VAL, blocks);
    int block = 0;
    int inBlock = 0;
    for (const QVector<double> &part : qAsConst(parts))
        for (double sample : part) {
            blockLow[block] = std::min(blockLow[block], sample);
            blockHigh[block] = std::max(blockHigh[block], sample);
            if (++inBlock == kBlock) {
                ++block;
                inBlock = 0;
            }
        }
}

int SampleEnvelope::segmentOf(qint64 index) const
{
    return int(std::upper_bound(offsets.cbegin(), offsets.cend(), index) - offsets.cbegin());
}

double SampleEnvelope::value(qint64 index) const
{
    const int segment = segmentOf(index);
    const qint64 start = segment == 0 ? 0 : offsets[segment - 1];
    return parts[segment][int(index - start)];
}

// Extremes of the samples [first, end) folded into low and high, segment by segment.
void SampleEnvelope::scanSamples(qint64 first, qint64 end, double &low, double &high) const
{
    if (first >= end)
        return;
    int segment = segmentOf(first);
    int position = int(first - (segment == 0 ? 0 : offsets[segment - 1]));
    while (first < end) {
        const QVector<double> &part = parts[segment];
        const int stop = int(std::min<qint64>(part.size(), position + (end - first)));
        for (int i = position; i < stop; ++i) {
            low = std::min(low, part[i]);
            high = std::max(high, part[i]);
        }
        first += stop - position;
        ++segment;
        position = 0;
    }
}

bool SampleEnvelope::extremes(qint64 first, qint64 count, double &low, double &high) const
{
    const qint64 end = std::min(size(), first + count);
    first = std::max<qint64>(first, 0);
    if (first >= end)
        return false;
    low = HUGE_VAL;
    high = -HUGE_VAL;
    const qint64 firstWhole = (first + kBlock - 1) / kBlock;
    const qint64 endWhole = end / kBlock;
    if (firstWhole >= endWhole) {
        scanSamples(first, end, low, high);
        return true;
    }
    scanSamples(first, firstWhole * kBlock, low, high);
    for (qint64 block = firstWhole; block < endWhole; ++block) {
        low = std::min(low, blockLow[int(block)]);
        high = std::max(high, blockHigh[int(block)]);
    }
    scanSamples(endWhole * kBlock, end, low, high);
    return true;
}

QVector<QPointF> SampleEnvelope::polyline(qint64 first, qint64 count, int columnCount) const
{
    first = qBound<qint64>(0, first, size());
    count = std::min(count, size() - first);
    QVector<QPointF> points;
    if (count <= 0 || columnCount <= 0)
        return points;
    if (count <= 2 * qint64(columnCount)) {
        points.reserve(int(count));
        for (qint64 i = first; i < first + count; ++i)
            points.append(QPointF(double(i), value(i)));
        return points;
    }
    points.reserve(2 * columnCount);
    for (int c = 0; c < columnCount; ++c) {
        const qint64 start = first + c * count / columnCount;
        const qint64 next = first + (c + 1) * count / columnCount;
        double low = 0.0, high = 0.0;
        extremes(start, next - start, low, high);
        points.append(QPointF(double(start), low));
        points.append(QPointF(double(start), high));
    }
    return points;
}
