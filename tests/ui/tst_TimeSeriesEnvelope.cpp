// The drawing envelopes: per pixel column, the extremes of the samples (time series) and of the
// lines (spectra on a log axis) must survive, whatever the segment and block boundaries.

#include <QtTest>
#include <algorithm>
#include <cmath>
#include <random>

#include "SampleEnvelope.h"
#include "SpectrumEnvelope.h"

namespace {

// The series cut into consecutive segments of the given lengths (the last takes the rest).
QList<QVector<double>> cut(const QVector<double> &series, int segmentLength)
{
    QList<QVector<double>> segments;
    for (int start = 0; start < series.size(); start += segmentLength)
        segments.append(series.mid(start, segmentLength));
    return segments;
}

QVector<double> ramp(int size, double slope)
{
    QVector<double> values(size);
    for (int i = 0; i < size; ++i)
        values[i] = slope * i;
    return values;
}

// Pairs of points (x, low), (x, high) by column, as the envelope gives them for long windows.
struct ColumnPoint {
    double x, low, high;
};
QList<ColumnPoint> columnsOf(const QVector<QPointF> &points)
{
    QList<ColumnPoint> columns;
    for (int i = 0; i + 1 < points.size(); i += 2)
        columns.append({points[i].x(), points[i].y(), points[i + 1].y()});
    return columns;
}

} // namespace

class TestTimeSeriesEnvelope : public QObject {
    Q_OBJECT

private slots:
    void rampColumnsSpanTheirFirstAndLastSample_data();
    void rampColumnsSpanTheirFirstAndLastSample();
    void spikeOfOneSampleIsKept_data();
    void spikeOfOneSampleIsKept();
    void columnsMatchPlainScanOnRandomSeries_data();
    void columnsMatchPlainScanOnRandomSeries();
    void shortWindowGivesTheSamplesThemselves();
    void windowIsClippedToTheSeries();
    void spectrumSpreadIsLowestAndHighestOverSpectra();
    void spectrumPeakKeepsItsFrequencyAndHeight();
    void spectrumLeavesOutLinesALogAxisCannotShow();
};

void TestTimeSeriesEnvelope::rampColumnsSpanTheirFirstAndLastSample_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("segmentLength");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<int>("columns");
    QTest::newRow("whole series, one segment") << 20000 << 20000 << qint64(0) << qint64(20000) << 300;
    QTest::newRow("segments across blocks") << 50000 << 777 << qint64(0) << qint64(50000) << 123;
    QTest::newRow("odd window inside") << 100000 << 4096 << qint64(1237) << qint64(65001) << 500;
    QTest::newRow("columns of about three samples") << 3000 << 1000 << qint64(5) << qint64(2990) << 997;
    QTest::newRow("more columns than blocks") << 1000000 << 16384 << qint64(511) << qint64(999000) << 2000;
}

// On a rising ramp the smallest sample of a column is its first and the largest its last, the
// sample just before the next column starts: v = slope * index.
void TestTimeSeriesEnvelope::rampColumnsSpanTheirFirstAndLastSample()
{
    QFETCH(int, size);
    QFETCH(int, segmentLength);
    QFETCH(qint64, first);
    QFETCH(qint64, count);
    QFETCH(int, columns);
    const double slope = 0.25;
    const SampleEnvelope envelope(cut(ramp(size, slope), segmentLength));
    QCOMPARE(envelope.size(), qint64(size));
    const QList<ColumnPoint> cols = columnsOf(envelope.polyline(first, count, columns));
    QCOMPARE(cols.size(), columns);
    QCOMPARE(cols.first().x, double(first));
    for (int c = 0; c < cols.size(); ++c) {
        const double nextStart = c + 1 < cols.size() ? cols[c + 1].x : double(first + count);
        QCOMPARE(cols[c].low, slope * cols[c].x);
        QCOMPARE(cols[c].high, slope * (nextStart - 1));
    }
}

void TestTimeSeriesEnvelope::spikeOfOneSampleIsKept_data()
{
    QTest::addColumn<int>("segmentLength");
    QTest::addColumn<qint64>("spike");
    QTest::addColumn<qint64>("dip");
    QTest::addColumn<int>("columns");
    QTest::newRow("inside a block") << 16384 << qint64(70001) << qint64(3) << 640;
    QTest::newRow("first sample of a segment") << 1000 << qint64(5000) << qint64(299999) << 1000;
    QTest::newRow("last sample of the series") << 4096 << qint64(299999) << qint64(0) << 211;
    QTest::newRow("block edge") << 3000 << qint64(512 * 100) << qint64(512 * 100 - 1) << 333;
}

// A +5 spike and a -3 dip in a flat series: the envelope reaches both, in the column that holds
// them, however narrow they are against a column of about a thousand samples.
void TestTimeSeriesEnvelope::spikeOfOneSampleIsKept()
{
    QFETCH(int, segmentLength);
    QFETCH(qint64, spike);
    QFETCH(qint64, dip);
    QFETCH(int, columns);
    QVector<double> series(300000, 0.5);
    series[int(spike)] = 5.0;
    series[int(dip)] = -3.0;
    const SampleEnvelope envelope(cut(series, segmentLength));
    const QList<ColumnPoint> cols = columnsOf(envelope.polyline(0, series.size(), columns));
    const double columnWidth = double(series.size()) / columns;
    int spikes = 0, dips = 0;
    for (const ColumnPoint &col : cols) {
        if (col.high == 5.0) {
            ++spikes;
            QVERIFY2(col.x <= spike && spike < col.x + columnWidth + 1, qPrintable(QString::number(col.x)));
        }
        if (col.low == -3.0) {
            ++dips;
            QVERIFY(col.x <= dip && dip < col.x + columnWidth + 1);
        }
        QVERIFY(col.high == 5.0 || col.high == 0.5);
    }
    QCOMPARE(spikes, 1);
    QCOMPARE(dips, 1);
}

void TestTimeSeriesEnvelope::columnsMatchPlainScanOnRandomSeries_data()
{
    QTest::addColumn<int>("segmentLength");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<int>("columns");
    QTest::newRow("whole") << 8192 << qint64(0) << qint64(200000) << 900;
    QTest::newRow("unaligned") << 1001 << qint64(12345) << qint64(150001) << 777;
    QTest::newRow("narrow columns") << 333 << qint64(99) << qint64(5000) << 2000;
}

// Against a plain scan of the samples between one column's first index and the next's.
void TestTimeSeriesEnvelope::columnsMatchPlainScanOnRandomSeries()
{
    QFETCH(int, segmentLength);
    QFETCH(qint64, first);
    QFETCH(qint64, count);
    QFETCH(int, columns);
    std::mt19937 engine(7);
    std::normal_distribution<double> normal;
    QVector<double> series(200000);
    for (double &v : series)
        v = normal(engine);
    const SampleEnvelope envelope(cut(series, segmentLength));
    const QList<ColumnPoint> cols = columnsOf(envelope.polyline(first, count, columns));
    QCOMPARE(cols.size(), columns);
    for (int c = 0; c < cols.size(); ++c) {
        const int start = int(cols[c].x);
        const int end = c + 1 < cols.size() ? int(cols[c + 1].x) : int(first + count);
        QVERIFY(end > start);
        const auto range = std::minmax_element(series.cbegin() + start, series.cbegin() + end);
        QCOMPARE(cols[c].low, *range.first);
        QCOMPARE(cols[c].high, *range.second);
    }
}

void TestTimeSeriesEnvelope::shortWindowGivesTheSamplesThemselves()
{
    const QVector<double> series = ramp(5000, -1.5);
    const SampleEnvelope envelope(cut(series, 700));
    const QVector<QPointF> points = envelope.polyline(690, 20, 10);
    QCOMPARE(points.size(), 20);
    for (int i = 0; i < points.size(); ++i)
        QCOMPARE(points[i], QPointF(690 + i, series[690 + i]));
}

void TestTimeSeriesEnvelope::windowIsClippedToTheSeries()
{
    const SampleEnvelope envelope(cut(ramp(1000, 1.0), 100));
    QCOMPARE(envelope.polyline(990, 50, 100).size(), 10);
    QVERIFY(envelope.polyline(1000, 50, 100).isEmpty());
    QVERIFY(SampleEnvelope().polyline(0, 10, 10).isEmpty());
    double low = 0, high = 0;
    QVERIFY(envelope.extremes(-20, 30, low, high));
    QCOMPARE(low, 0.0);
    QCOMPARE(high, 9.0);
}

void TestTimeSeriesEnvelope::spectrumSpreadIsLowestAndHighestOverSpectra()
{
    const SpectrumEnvelope envelope({1.0, 2.0, 3.0}, {{4.0, 1.0, 7.0}, {2.0, 5.0}, {3.0, -1.0, 8.0}});
    QCOMPARE(envelope.lower(), QVector<double>({2.0, 1.0, 7.0}));
    QCOMPARE(envelope.upper(), QVector<double>({4.0, 5.0, 8.0}));
}

// 1000 lines at 0.1 Hz steps with one line of height 50 at 12.3 Hz among lines of height 1..2:
// the column holding the peak reaches 50, at the peak's frequency when the column holds one line.
void TestTimeSeriesEnvelope::spectrumPeakKeepsItsFrequencyAndHeight()
{
    QVector<double> freq, amplitude;
    for (int k = 1; k <= 1000; ++k) {
        freq.append(0.1 * k);
        amplitude.append(k == 123 ? 50.0 : 1.0 + (k % 7) / 7.0);
    }
    const SpectrumEnvelope envelope(freq, {amplitude});
    const QVector<QPointF> narrow = envelope.polyline(0.1, 100.0, 3000);
    const auto peak = std::max_element(narrow.cbegin(), narrow.cend(),
                                       [](const QPointF &a, const QPointF &b) { return a.y() < b.y(); });
    QCOMPARE(peak->y(), 50.0);
    QVERIFY(std::fabs(peak->x() - 12.3) < 1e-9);
    const QVector<QPointF> coarse = envelope.polyline(0.1, 100.0, 50);
    QVERIFY(coarse.size() <= 100);
    double highest = 0.0;
    for (const QPointF &p : coarse) {
        highest = std::max(highest, p.y());
        QVERIFY(p.x() >= 0.1 && p.x() <= 100.0);
    }
    QCOMPARE(highest, 50.0);
}

void TestTimeSeriesEnvelope::spectrumLeavesOutLinesALogAxisCannotShow()
{
    const SpectrumEnvelope envelope({1.0, 2.0, 4.0, 8.0}, {{0.0, -2.0, NAN, 3.0}});
    const QVector<QPointF> points = envelope.polyline(0.5, 10.0, 100);
    QCOMPARE(points.size(), 1);
    QCOMPARE(points.first(), QPointF(8.0, 3.0));
    QVERIFY(envelope.polyline(0.0, 10.0, 100).isEmpty());
}

QTEST_GUILESS_MAIN(TestTimeSeriesEnvelope)
#include "tst_TimeSeriesEnvelope.moc"
