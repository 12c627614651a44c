#pragma once
// One channel's time-series file delivered segment by segment: consecutive, non-overlapping
// segments of segmentLength samples from the start, multiplied by scale (mV per count), at most
// sampleCount samples (when positive) and at most segmentCount segments (when positive). Only one
// segment is held at a time, so an hour-long recording streams in the memory of a read buffer.
// The segments and the failures are those of Wavefile::getTimeSeries, which is built on this.

#include <QString>
#include <memory>

#include "SampleSource.h"

class SegmentStream {
public:
    SegmentStream();
    ~SegmentStream();
    SegmentStream(SegmentStream &&) noexcept;
    SegmentStream &operator=(SegmentStream &&) noexcept;

    // False, with errorString() set, when segmentLength is not positive, scale is not finite or the
    // file cannot be opened.
    bool open(const QString &file, double scale, double sampleCount, int segmentLength,
              int segmentCount);
    // Writes the next segment (segmentLength values) into out. False at the end of the segments:
    // a trailing partial segment is read (so a bad sample in it is still found) and dropped, and
    // whatever follows the last wanted segment is not read. failed() tells an error from the end.
    bool next(double *out);
    // Passes over the next count segments as next() would deliver them, without converting them
    // (binary recordings are not even read); false when fewer were left or on an error.
    bool skip(qint64 count);
    bool failed() const { return !error.isEmpty(); }
    QString errorString() const { return error; }
    int segmentLength() const { return length; }
    // An upper bound on the segments still to come, known without reading them (exact for binary
    // recordings); for progress reports.
    qint64 segmentBound() const;

private:
    bool took(qint64 got, qint64 wanted);
    bool finish(qint64 available);
    bool fail(const QString &reason);

    std::unique_ptr<SampleSource> source;
    QString error;
    double scale = 1.0;
    qint64 limit = 0;      // samples that may still be read
    qint64 remainingSegments = 0;
    int length = 0;
};
