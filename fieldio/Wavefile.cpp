#include "Wavefile.h"

#include <QDebug>
#include <cmath>
#include <limits>
#include <memory>

#include "SampleSourceFile.h"

namespace {

constexpr qint64 unlimited = std::numeric_limits<qint64>::max();

bool reportFailure(const QString &file, const QString &reason)
{
    qDebug().noquote() << "Wavefile::getTimeSeries:" << file + ":" << reason;
    return false;
}

// sampleCount > 0 limits the samples read; anything else (0, negative, NaN) reads to the end.
qint64 sampleLimit(double sampleCount)
{
    if (!(sampleCount > 0.0) || sampleCount >= 9.0e18)
        return unlimited;
    return qint64(sampleCount);
}

// Reads and discards up to count samples through a small buffer, so that the samples of a dropped
// partial segment are still checked without being held.
bool discard(SampleSource &source, qint64 count)
{
    QVector<double> scratch(4096);
    while (count > 0) {
        const qint64 got = source.read(scratch.data(), qMin<qint64>(count, scratch.size()));
        if (got < 0)
            return false;
        if (got == 0)
            break;
        count -= got;
    }
    return true;
}

void applyScale(QVector<double> &segment, double scale)
{
    for (double &value : segment)
        value *= scale;
}

struct SegmentPlan {
    qint64 sampleLimit;
    int length;
    qint64 maxSegments;
    double scale;
};

// Cuts consecutive segments from the start of source, reading only what they need; the samples of
// a trailing partial segment are checked and dropped. False on a read or parse error.
bool cutSegments(SampleSource &source, const SegmentPlan &plan, QList<QVector<double>> &cut)
{
    qint64 consumed = 0;
    while (cut.size() < plan.maxSegments) {
        const qint64 available = qMin(source.remainingBound(), plan.sampleLimit - consumed);
        if (available < plan.length)
            return discard(source, available);
        QVector<double> segment(plan.length);
        const qint64 got = source.read(segment.data(), plan.length);
        if (got < 0)
            return false;
        if (got < plan.length)
            return true;
        consumed += got;
        applyScale(segment, plan.scale);
        cut.append(segment);
    }
    return true;
}

}  // namespace

bool Wavefile::getTimeSeries(const QString &file, double scale, double sampleCount,
                             int segmentLength, int segmentCount)
{
    segments.clear();
    if (segmentLength <= 0)
        return reportFailure(file, QStringLiteral("segment length %1 is not positive").arg(segmentLength));
    if (!std::isfinite(scale))
        return reportFailure(file, QStringLiteral("scale %1 is not a finite number").arg(scale));
    QString error;
    const std::unique_ptr<SampleSource> source = SampleSourceFile::open(file, error);
    if (!source)
        return reportFailure(file, error);

    const SegmentPlan plan{sampleLimit(sampleCount), segmentLength,
                           segmentCount > 0 ? segmentCount : unlimited, scale};
    QList<QVector<double>> cut;
    if (!cutSegments(*source, plan, cut))
        return reportFailure(file, source->errorString());
    segments.swap(cut);
    return true;
}

QList<QVector<double>> Wavefile::getTsData() const
{
    return segments;
}

QVector<double> Wavefile::TrendElimination2(const QVector<double> &segment) const
{
    const int n = segment.size();
    if (n == 0)
        return {};
    // Abscissa centred on the middle sample: the fitted slope and mean are then independent,
    // which keeps the fit accurate for long segments with a large offset.
    const double xMean = (n - 1) / 2.0;
    double yMean = 0.0;
    for (double y : segment)
        yMean += y;
    yMean /= n;
    double sxy = 0.0;
    for (int i = 0; i < n; ++i)
        sxy += (i - xMean) * (segment[i] - yMean);
    const double sxx = double(n) * (double(n) * n - 1.0) / 12.0;  // sum of (i - xMean)^2
    const double slope = n > 1 ? sxy / sxx : 0.0;

    QVector<double> detrended(n);
    for (int i = 0; i < n; ++i)
        detrended[i] = segment[i] - yMean - slope * (i - xMean);
    return detrended;
}
