#pragma once
// Per-pixel-column extremes of a long, uniformly sampled series held as consecutive segments (as
// the readers deliver it), for drawing: a window of samples is cut into equal columns and each
// column gives its smallest and largest sample, so a spike of one sample stays visible however
// long the window. A window of at most two samples per column gives the samples themselves.
//
// Speed: the extremes of every block of kBlock samples are kept (two values per kBlock samples),
// so a column costs one step per whole block plus at most two partial blocks, and a window over
// an hour of 24 kHz samples reduces in about a millisecond. The segments are shared, not copied.

#include <QList>
#include <QPointF>
#include <QVector>

class SampleEnvelope {
public:
    static constexpr int kBlock = 512;

    SampleEnvelope() = default;
    explicit SampleEnvelope(const QList<QVector<double>> &segments);

    qint64 size() const { return offsets.isEmpty() ? 0 : offsets.last(); }
    const QList<QVector<double>> &segments() const { return parts; }
    // Sample at index (0 <= index < size()).
    double value(qint64 index) const;
    // Smallest and largest sample of [first, first + count); false for an empty range.
    bool extremes(qint64 first, qint64 count, double &low, double &high) const;

    // Points (sample index, value) of the window [first, first + count), clipped to the series,
    // on columnCount columns: column c holds the samples from first + c * count / columnCount up to
    // the next column's first, and gives (its first index, smallest) then (its first index,
    // largest). With count <= 2 * columnCount every sample is a point of its own.
    QVector<QPointF> polyline(qint64 first, qint64 count, int columnCount) const;

private:
    void summarizeBlocks();
    int segmentOf(qint64 index) const;
    void scanSamples(qint64 first, qint64 end, double &low, double &high) const;

    QList<QVector<double>> parts;
    QVector<qint64> offsets;     // offsets[s]: index of the first sample after segment s
    QVector<double> blockLow;
    QVector<double> blockHigh;
};
