#pragma once
// The per-segment values of a recording's spectral lines, kept for estimators that need every
// segment's value of a line at once (medians). Lines are stored in blocks of kLinesPerBlock, each
// block one contiguous run holding the block's values segment after segment, so that appending a
// segment writes short contiguous pieces and reducing a block reads one run: no per-segment
// allocation, no scattered reads, and 16 bytes per line and segment. The runs share one allocation
// sized for the expected number of segments.

#include <QVector>
#include <gsl/gsl_complex.h>
#include <functional>
#include <memory>

#include "LineReduction.h"

class LineColumns {
public:
    LineColumns();
    ~LineColumns();
    LineColumns(const LineColumns &) = delete;
    LineColumns &operator=(const LineColumns &) = delete;

    // Empty, for lines values per segment, with room for expectedSegments segments (more may come).
    void reset(int lines, qint64 expectedSegments);
    // One segment's values of every line, in line order.
    void append(const gsl_complex *values);
    // One segment's values, written by fill straight into the blocks: fill(first, width, out)
    // writes the values of lines [first, first + width) to out.
    using BlockFill = std::function<void(int first, int width, gsl_complex *out)>;
    void append(const BlockFill &fill);
    int segmentCount() const { return segments; }
    int lineCount() const { return lines; }
    // Per line, (reduce(real parts), reduce(imaginary parts)) over the segments; empty when no
    // segment was appended. The stored values are left as they are.
    QVector<gsl_complex> reduce(PartReducer reducer) const;

private:
    struct Storage;
    std::unique_ptr<Storage> allocate(qint64 segmentRoom) const;
    gsl_complex *block(int index) const;
    void grow();

    int lines = 0;
    int segments = 0;
    qint64 capacity = 0;  // segments each block has room for
    std::unique_ptr<Storage> storage;
};
