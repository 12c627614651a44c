#include "SegmentStream.h"

#include <cmath>
#include <limits>

#include "SampleSourceFile.h"

namespace {

constexpr qint64 unlimited = std::numeric_limits<qint64>::max();

// sampleCount > 0 limits the samples read; anything else (0, negative, NaN) reads to the end.
qint64 sampleLimit(double sampleCount)
{
    if (!(sampleCount > 0.0) || sampleCount >= 9.0e18)
        return unlimited;
    return qint64(sampleCount);
}

} // namespace

SegmentStream::SegmentStream() = default;
SegmentStream::~SegmentStream() = default;
SegmentStream::SegmentStream(SegmentStream &&) noexcept = default;
SegmentStream &SegmentStream::operator=(SegmentStream &&) noexcept = default;

bool SegmentStream::open(const QString &file, double countScale, double sampleCount,
                         int segmentLength, int segmentCount)
{
    source.reset();
    error.clear();
    if (segmentLength <= 0)
        return fail(QStringLiteral("segment length %1 is not positive").arg(segmentLength));
    if (!std::isfinite(countScale))
        return fail(QStringLiteral("scale %1 is not a finite number").arg(countScale));
    QString why;
    source = SampleSourceFile::open(file, why);
    if (!source)
        return fail(why);
    scale = countScale;
    limit = sampleLimit(sampleCount);
    remainingSegments = segmentCount > 0 ? segmentCount : unlimited;
    length = segmentLength;
    return true;
}

bool SegmentStream::next(double *out)
{
    if (!source || remainingSegments <= 0)
        return false;
    const qint64 available = qMin(source->remainingBound(), limit);
    if (available < length)
        return finish(available);
    if (!took(source->read(out, length), length))
        return false;
    --remainingSegments;
    const double factor = scale;  // a local copy: out cannot alias it, so the loop vectorises
    if (factor != 1.0) {
        for (int i = 0; i < length; ++i)
            out[i] *= factor;
    }
    return true;
}

bool SegmentStream::skip(qint64 count)
{
    if (!source || count > remainingSegments)
        return count <= 0;
    const qint64 samples = count * length;
    if (qMin(source->remainingBound(), limit) < samples)
        return false;
    if (!took(source->skip(samples), samples))
        return false;
    remainingSegments -= count;
    return true;
}

qint64 SegmentStream::segmentBound() const
{
    if (!source || length <= 0)
        return 0;
    return qMin(remainingSegments, qMin(source->remainingBound(), limit) / length);
}

// Accounts for got of wanted samples taken from the source: an error fails the stream, a short
// count ends it.
bool SegmentStream::took(qint64 got, qint64 wanted)
{
    if (got < 0)
        return fail(source->errorString());
    if (got < wanted) {
        source.reset();
        return false;
    }
    limit -= got;
    return true;
}

// Passes over the samples of a trailing partial segment as the source reads them, so that they
// are checked without being held.
bool SegmentStream::finish(qint64 available)
{
    if (source->skip(available) < 0)
        return fail(source->errorString());
    source.reset();
    return false;
}

bool SegmentStream::fail(const QString &reason)
{
    error = reason;
    source.reset();
    return false;
}
