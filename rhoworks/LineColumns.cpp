#include "LineColumns.h"

#include <algorithm>
#include <cstring>
#include <new>

void LineColumns::reset(int lineCount)
{
    lines = std::max(0, lineCount);
    storage.reset(lines);
}

gsl_complex *LineColumns::run(qint64 segment, int block) const
{
    return storage.chunkOf(segment) + size_t(block) * kChunkSegments * kLinesPerBlock;
}

void LineColumns::append(const gsl_complex *values)
{
    append([values](int first, int width, gsl_complex *out) {
        std::memcpy(out, values + first, size_t(width) * sizeof(gsl_complex));
    });
}

void LineColumns::append(const BlockFill &fill)
{
    if (lines == 0)
        return;
    if (!storage.append())
        throw std::bad_alloc();
    const qint64 segment = storage.count() - 1;
    const int place = int(segment % kChunkSegments);
    for (int first = 0, b = 0; first < lines; first += kLinesPerBlock, ++b) {
        const int width = std::min(kLinesPerBlock, lines - first);
        fill(first, width, run(segment, b) + size_t(place) * width);
    }
}

QVector<gsl_complex> LineColumns::reduce(PartReducer reducer) const
{
    const int count = segmentCount();
    const BlockGather gather = [&](int first, int width, double *re, double *im) {
        for (int firstSegment = 0; firstSegment < count; firstSegment += kChunkSegments) {
            const int inChunk = std::min(kChunkSegments, count - firstSegment);
            const gsl_complex *value = run(firstSegment, first / kLinesPerBlock);
            for (int k = firstSegment; k < firstSegment + inChunk; ++k) {
                for (int j = 0; j < width; ++j, ++value) {
                    re[size_t(j) * count + k] = GSL_REAL(*value);
                    im[size_t(j) * count + k] = GSL_IMAG(*value);
                }
            }
        }
    };
    return reduceLineBlocks(lines, count, gather, reducer);
}
