#include "SegmentRows.h"

#include <algorithm>

void SegmentRows::reset(int lines, qint64 rowCapacity)
{
    width = std::max(0, lines);
    capacity = std::max<qint64>(0, rowCapacity);
    rows = 0;
    chunks.clear();
}

gsl_complex *SegmentRows::append()
{
    if (rows >= capacity || width == 0)
        return nullptr;
    if (rows % kChunkRows == 0) {
        const qint64 chunkRows = std::min<qint64>(kChunkRows, capacity - rows);
        PrefaultedBuffer chunk(size_t(chunkRows) * size_t(width) * sizeof(gsl_complex));
        if (!chunk.as<gsl_complex>()) {
            capacity = rows;
            return nullptr;
        }
        chunks.push_back(std::move(chunk));
    }
    return row(rows++);
}
