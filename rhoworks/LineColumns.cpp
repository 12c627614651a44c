#include "LineColumns.h"

#include <algorithm>
#include <cstring>

#include "ParallelFor.h"

struct LineColumns::Storage {
    std::unique_ptr<gsl_complex[]> values;  // left uninitialised: every value read was written
};

LineColumns::LineColumns() = default;
LineColumns::~LineColumns() = default;

void LineColumns::reset(int lineCount, qint64 expectedSegments)
{
    lines = std::max(0, lineCount);
    segments = 0;
    capacity = std::max<qint64>(1, expectedSegments);
    storage = allocate(capacity);
}

// Block b holds lines [b * kLinesPerBlock, ...) of every segment: capacity * kLinesPerBlock values.
std::unique_ptr<LineColumns::Storage> LineColumns::allocate(qint64 segmentRoom) const
{
    auto made = std::make_unique<Storage>();
    made->values.reset(new gsl_complex[std::max<size_t>(1, size_t(segmentRoom) * size_t(lines))]);
    return made;
}

gsl_complex *LineColumns::block(int index) const
{
    return storage->values.get() + size_t(index) * size_t(capacity) * kLinesPerBlock;
}

void LineColumns::grow()
{
    const qint64 oldCapacity = capacity;
    std::unique_ptr<Storage> old = std::move(storage);
    capacity = 2 * oldCapacity;
    storage = allocate(capacity);
    const int blocks = (lines + kLinesPerBlock - 1) / kLinesPerBlock;
    for (int b = 0; b < blocks; ++b) {
        const int width = std::min(kLinesPerBlock, lines - b * kLinesPerBlock);
        const gsl_complex *from = old->values.get() + size_t(b) * size_t(oldCapacity) * kLinesPerBlock;
        std::memcpy(block(b), from, size_t(segments) * size_t(width) * sizeof(gsl_complex));
    }
}

void LineColumns::append(const gsl_complex *values)
{
    append([values](int first, int width, gsl_complex *out) {
        std::memcpy(out, values + first, size_t(width) * sizeof(gsl_complex));
    });
}

void LineColumns::append(const BlockFill &fill)
{
    if (!storage)
        return;
    if (segments == capacity)
        grow();
    // Blocks are filled independently, ranges of them on the worker threads.
    const int blocks = (lines + kLinesPerBlock - 1) / kLinesPerBlock;
    ParallelFor::runRanges(blocks, [&](int firstBlock, int endBlock) {
        for (int b = firstBlock; b < endBlock; ++b) {
            const int first = b * kLinesPerBlock;
            const int width = std::min(kLinesPerBlock, lines - first);
            fill(first, width, block(b) + size_t(segments) * width);
        }
    });
    ++segments;
}

QVector<gsl_complex> LineColumns::reduce(PartReducer reducer) const
{
    const int count = segments;
    const BlockGather gather = [&](int first, int width, double *re, double *im) {
        const gsl_complex *value = block(first / kLinesPerBlock);
        for (int k = 0; k < count; ++k) {
            for (int j = 0; j < width; ++j, ++value) {
                re[size_t(j) * count + k] = GSL_REAL(*value);
                im[size_t(j) * count + k] = GSL_IMAG(*value);
            }
        }
    };
    return reduceLineBlocks(lines, count, gather, reducer);
}
