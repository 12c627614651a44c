#pragma once
// Reader of one channel's time-series file, cut into consecutive segments.
// Binary files (any extension but .txt/.asc/.csv) hold little-endian int32 ADC counts without a
// header; text files hold one sample per line (first number of the line, "#" starts a comment).

#include <QList>
#include <QString>
#include <QVector>

class Wavefile {
public:
    // Reads file, at most sampleCount samples when sampleCount > 0, multiplied by scale (mV per
    // count), as consecutive non-overlapping segments of segmentLength samples, at most segmentCount
    // of them (<= 0: all). A trailing partial segment is dropped. Streams: holds only the segments.
    // False (with a debug line naming the file) when the file is missing, unreadable or a text
    // sample does not parse; a readable file shorter than one segment gives true and no segments.
    // Text samples must be finite numbers ("nan" and "inf" are rejected), scale must be finite and
    // segmentLength positive. Reading stops once segmentCount segments are filled, so whatever
    // follows them is neither read nor checked. In a binary file whose size is not a multiple of 4
    // the partial last sample is ignored (with a debug line). After a failure getTsData() is empty.
    bool getTimeSeries(const QString &file, double scale, double sampleCount, int segmentLength,
                       int segmentCount);
    // Segments of the last file read, in mV.
    QList<QVector<double>> getTsData() const;
    // The segment with its least-squares straight line (sample index as abscissa) removed; one
    // sample gives 0, an empty segment an empty result.
    QVector<double> TrendElimination2(const QVector<double> &segment) const;

private:
    QList<QVector<double>> segments;
};
