#pragma once
// Whole segments' values (a row of lines values each) kept in memory up to a number of rows, in
// chunks of kChunkRows consecutive rows whose pages are mapped as each chunk is made: the memory
// follows the rows kept, and filling it takes no page fault per page, which on an hour's 216 MiB
// cost as much as the arithmetic that fills them. A chunk's rows are one contiguous run, which a
// caller may also lay out its own way (chunkOf()).

#include <QtGlobal>
#include <gsl/gsl_complex.h>
#include <limits>
#include <vector>

#include "PrefaultedBuffer.h"

class SegmentRows {
public:
    // Rows per chunk: 8 MiB for 8192 lines.
    static constexpr int kChunkRows = 64;

    // Empty, for rows of lines values, at most capacity of them.
    void reset(int lines, qint64 capacity = std::numeric_limits<qint64>::max());
    // The place of the next row, to be written whole; null once capacity rows are kept or when the
    // memory for them cannot be had.
    gsl_complex *append();
    gsl_complex *row(qint64 k) const { return chunkOf(k) + size_t(k % kChunkRows) * size_t(width); }
    // The run of the chunk holding row k: kChunkRows rows of width values (fewer in a last chunk
    // cut short by the capacity).
    gsl_complex *chunkOf(qint64 k) const { return chunks[size_t(k / kChunkRows)].as<gsl_complex>(); }
    qint64 count() const { return rows; }

private:
    int width = 0;
    qint64 capacity = 0;
    qint64 rows = 0;
    std::vector<PrefaultedBuffer> chunks;
};
