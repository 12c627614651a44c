#pragma once
// The per-segment values of a recording's spectral lines, kept for estimators that need every
// segment's value of a line at once (medians). Segments are stored in chunks of kChunkSegments;
// within a chunk, lines go in blocks of kLinesPerBlock, each block one contiguous run holding the
// block's values segment after segment. Appending a segment writes short contiguous pieces,
// reducing a block reads one run per chunk, and the memory grows a chunk at a time with the
// segments actually appended (16 bytes per line and segment), its pages mapped as the chunk is
// made rather than one fault at a time.

#include <QVector>
#include <gsl/gsl_complex.h>
#include <functional>

#include "LineReduction.h"
#include "SegmentRows.h"

class LineColumns {
public:
    // Segments per chunk: 8 MiB for 8192 lines.
    static constexpr int kChunkSegments = SegmentRows::kChunkRows;

    // Empty, for lines values per segment.
    void reset(int lines);
    // One segment's values of every line, in line order.
    void append(const gsl_complex *values);
    // One segment's values, written by fill straight into the blocks: fill(first, width, out)
    // writes the values of lines [first, first + width) to out.
    using BlockFill = std::function<void(int first, int width, gsl_complex *out)>;
    void append(const BlockFill &fill);
    int segmentCount() const { return int(storage.count()); }
    int lineCount() const { return lines; }
    // Per line, (reduce(real parts), reduce(imaginary parts)) over the segments; empty when no
    // segment was appended. The stored values are left as they are.
    QVector<gsl_complex> reduce(PartReducer reducer) const;

private:
    // Block b's run in the chunk holding segment: kChunkSegments values of each of its lines.
    gsl_complex *run(qint64 segment, int block) const;

    int lines = 0;
    SegmentRows storage;  // whose chunks are laid out in blocks of lines rather than in rows
};
