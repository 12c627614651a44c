#include "LineColumns.h"

#include <algorithm>
#include <cstring>
#include <new>

void LineColumns::reset(int lineCount)
{
    lines = std::max(0, lineCount);
    segments = 0;
    chunks.clear();
}

gsl_complex *LineColumns::run(int chunk, int block) const
{
    return chunks[size_t(chunk)].as<gsl_complex>() + size_t(block) * kChunkSegments * kLinesPerBlock;
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
    const int chunk = segments / kChunkSegments;
    const int place = segments % kChunkSegments;
    if (place == 0) {
        chunks.emplace_back(size_t(kChunkSegments) * size_t(lines) * sizeof(gsl_complex));
        if (!chunks.back().as<gsl_complex>())
            throw std::bad_alloc();
    }
    for (int first = 0, b = 0; first < lines; first += kLinesPerBlock, ++b) {
        const int width = std::min(kLinesPerBlock, lines - first);
        fill(first, width, run(chunk, b) + size_t(place) * width);
    }
    ++segments;
}

QVector<gsl_complex> LineColumns::reduce(PartReducer reducer) const
{
    const int count = segments;
    const BlockGather gather = [&](int first, int width, double *re, double *im) {
        for (int chunk = 0; chunk * kChunkSegments < count; ++chunk) {
            const int firstSegment = chunk * kChunkSegments;
            const int inChunk = std::min(kChunkSegments, count - firstSegment);
            const gsl_complex *value = run(chunk, first / kLinesPerBlock);
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
