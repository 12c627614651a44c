#include "Wavefile.h"

#include <QDebug>
#include "SegmentStream.h"

namespace {

bool reportFailure(const QString &file, const QString &reason)
{
    qDebug().noquote() << "Wavefile::getTimeSeries:" << file + ":" << reason;
    return false;
}

}  // namespace

bool Wavefile::getTimeSeries(const QString &file, double scale, double sampleCount,
                             int segmentLength, int segmentCount)
{
    segments.clear();
    SegmentStream stream;
    if (!stream.open(file, scale, sampleCount, segmentLength, segmentCount))
        return reportFailure(file, stream.errorString());
    QList<QVector<double>> cut;
    QVector<double> segment(segmentLength);
    while (stream.next(segment.data())) {
        cut.append(segment);
        segment = QVector<double>(segmentLength);
    }
    if (stream.failed())
        return reportFailure(file, stream.errorString());
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
