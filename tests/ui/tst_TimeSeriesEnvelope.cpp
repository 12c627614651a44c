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
    void columnsHoldTheExtremesOfTheirSamples_data();
    void columnsHoldTheExtremesOfTheirSamples();
    void shortWindowGivesTheSamplesThemselves();
    void windowIsClippedToTheSeries();
    void spectrumSpreadIsLowestAndHighestOverSpectra();
    void spectrumPeakKeepsItsFrequencyAndHeight();
    void spectrumLeavesOutLinesALogAxisCannotShow();
};

void TestTimeSeriesEnvelope::columnsHoldTheExtremesOfTheirSamples_data()
{
    // signal: a rising ramp (0.25 per sample), Gaussian noise, or a flat 0.5 with a +5 spike and a
    // -3 dip one sample wide at the given indexes.
    QTest::addColumn<QString>("signal");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("segmentLength");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("spike");
    QTest::addColumn<int>("dip");
    QTest::newRow("ramp, one segment") << "ramp" << 20000 << 20000 << qint64(0) << qint64(20000) << 300 << 0 << 0;
    QTest::newRow("ramp, segments across blocks") << "ramp" << 50000 << 777 << qint64(0) << qint64(50000) << 123 << 0 << 0;
    QTest::newRow("ramp, odd window inside") << "ramp" << 100000 << 4096 << qint64(1237) << qint64(65001) << 500 << 0 << 0;
    QTest::newRow("ramp, columns of about three samples") << "ramp" << 3000 << 1000 << qint64(5) << qint64(2990) << 997 << 0 << 0;
    QTest::newRow("ramp, more columns than blocks") << "ramp" << 1000000 << 16384 << qint64(511) << qint64(999000) << 2000 << 0 << 0;
    QTest::newRow("noise, whole") << "noise" << 200000 << 8192 << qint64(0) << qint64(200000) << 900 << 0 << 0;
    QTest::newRow("noise, unaligned") << "noise" << 200000 << 1001 << qint64(12345) << qint64(150001) << 777 << 0 << 0;
    QTest::newRow("noise, narrow columns") << "noise" << 200000 << 333 << qint64(99) << qint64(5000) << 2000 << 0 << 0;
    QTest::newRow("spike inside a block") << "spike" << 300000 << 16384 << qint64(0) << qint64(300000) << 640 << 70001 << 3;
    QTest::newRow("spike first of a segment") << "spike" << 300000 << 1000 << qint64(0) << qint64(300000) << 1000 << 5000 << 299999;
    QTest::newRow("spike last of the series") << "spike" << 300000 << 4096 << qint64(0) << qint64(300000) << 211 << 299999 << 0;
    QTest::newRow("spike at a block edge") << "spike" << 300000 << 3000 << qint64(0) << qint64(300000) << 333 << 512 * 100 << 512 * 100 - 1;
}

// Against a plain scan of the samples between one column's first index and the next's: the columns
// tile the window from its first sample, and each keeps its lowest and highest sample, however
// narrow a spike is against a column of a thousand samples and wherever segments and blocks end.
void TestTimeSeriesEnvelope::columnsHoldTheExtremesOfTheirSamples()
{
    QFETCH(QString, signal);
    QFETCH(int, size);
    QFETCH(int, segmentLength);
    QFETCH(qint64, first);
    QFETCH(qint64, count);
    QFETCH(int, columns);
    QFETCH(int, spike);
    QFETCH(int, dip);
    QVector<double> series = signal == "ramp" ? ramp(size, 0.25) : QVector<double>(size, 0.5);
    if (signal == "noise") {
        std::mt19937 engine(7);
        std::normal_distribution<double> normal;
        for (double &v : series)
            v = normal(engine);
    } else if (signal == "spike") {
        series[spike] = 5.0;
        series[dip] = -3.0;
    }
    const SampleEnvelope envelope(cut(series, segmentLength));
    QCOMPARE(envelope.size(), qint64(size));
    const QList<ColumnPoint> cols = columnsOf(envelope.polyline(first, count, columns));
    QCOMPARE(cols.size(), columns);
    QCOMPARE(cols.first().x, double(first));
    int spikes = 0, dips = 0;
    for (int c = 0; c < cols.size(); ++c) {
        const int start = int(cols[c].x);
        const int end = c + 1 < cols.size() ? int(cols[c + 1].x) : int(first + count);
        QVERIFY(end > start);
        const auto range = std::minmax_element(series.cbegin() + start, series.cbegin() + end);
        QCOMPARE(cols[c].low, *range.first);
        QCOMPARE(cols[c].high, *range.second);
        spikes += cols[c].high == 5.0;
        dips += cols[c].low == -3.0;
    }
    if (signal == "spike") {
        QCOMPARE(spikes, 1);
        QCOMPARE(dips, 1);
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
