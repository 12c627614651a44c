// The order statistics behind the median estimators, against definitions computed the slow way:
// the median and the leave-one-out repeated median of runs with ties, infinities and NaN; the line
// blocks that keep per-segment values (beyond the room reserved for them); and the tally that
// decides, without keeping the segments, whether median spectra carry a field.

#include <QtTest>
#include <gsl/gsl_complex_math.h>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "LineColumns.h"
#include "MedianFieldTally.h"
#include "OrderStatistics.h"
#include "Spectrix.h"

Q_DECLARE_METATYPE(QVector<double>)

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double notANumber = std::numeric_limits<double>::quiet_NaN();

// Median by sorting the whole run, NaN last.
double sortedMedian(QVector<double> v)
{
    if (v.isEmpty())
        return notANumber;
    std::sort(v.begin(), v.end(), OrderStatistics::nanLastLess);
    const int m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) * 0.5;
}

// The repeated median as defined: for every k the median of the others rounded to float, then
// the median of those rounded to float.
double definedRepeatedMedian(const QVector<double> &v)
{
    if (v.size() == 1)
        return double(float(v[0]));
    QVector<double> stageOne;
    for (int k = 0; k < v.size(); ++k) {
        QVector<double> others = v;
        others.remove(k);
        stageOne.append(double(float(sortedMedian(others))));
    }
    return double(float(sortedMedian(stageOne)));
}

QVector<double> randomRun(int count, quint32 seed, int distinct)
{
    QRandomGenerator random(seed);
    QVector<double> v(count);
    for (double &x : v)
        x = distinct > 0 ? double(random.bounded(distinct)) - distinct / 2 : random.generateDouble() * 2 - 1;
    return v;
}

bool same(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

} // namespace

class TestLineStatistics : public QObject {
    Q_OBJECT
private slots:
    void mediansMatchDefinitions_data();
    void mediansMatchDefinitions();
    void lineBlocksKeepEverySegment();
    void fieldTallyAgreesWithExactMedians_data();
    void fieldTallyAgreesWithExactMedians();
};

void TestLineStatistics::mediansMatchDefinitions_data()
{
    QTest::addColumn<QVector<double>>("values");
    for (int count : {1, 2, 3, 32, 33, 34, 101, 400})
        QTest::addRow("random, %d values", count) << randomRun(count, quint32(count), 0);
    for (int count : {40, 41, 300})
        QTest::addRow("three distinct values, %d", count) << randomRun(count, 7, 3);
    QTest::addRow("all equal") << QVector<double>(77, 2.5);
    QVector<double> ascending(90);
    std::iota(ascending.begin(), ascending.end(), -40.0);
    QTest::addRow("ascending") << ascending;
    QVector<double> descending(ascending.rbegin(), ascending.rend());
    QTest::addRow("descending") << descending;
    QVector<double> withNaN = randomRun(61, 3, 0);
    withNaN[5] = withNaN[40] = notANumber;
    QTest::addRow("NaN among 61") << withNaN;
    QVector<double> mostlyNaN(50, notANumber);
    mostlyNaN[3] = 1;
    QTest::addRow("mostly NaN") << mostlyNaN;
    QVector<double> infinities = randomRun(45, 4, 0);
    infinities[0] = inf;
    infinities[9] = -inf;
    infinities[10] = inf;
    QTest::addRow("infinities") << infinities;
    QTest::addRow("signed zeros") << QVector<double>{0.0, -0.0, 0.0, -0.0, 1, -1, 0.0, -0.0, 2, -2, 0.0, -0.0,
                                                     0.0, -0.0, 0.0, -0.0, 0.0, -0.0, 0.0, -0.0, 0.0, -0.0, 0.0,
                                                     -0.0, 0.0, -0.0, 0.0, -0.0, 0.0, -0.0, 0.0, -0.0, 0.0, 3};
}

void TestLineStatistics::mediansMatchDefinitions()
{
    QFETCH(QVector<double>, values);
    QVector<double> scratch = values;
    const double median = OrderStatistics::medianInPlace(scratch.data(), scratch.size());
    QVERIFY2(same(median, sortedMedian(values)), qPrintable(QString::number(median, 'g', 17)));
    scratch = values;
    const double repeated = OrderStatistics::repeatedMedian(scratch.data(), scratch.size());
    QVERIFY2(same(repeated, definedRepeatedMedian(values)), qPrintable(QString::number(repeated, 'g', 17)));
}

// Segments over several chunks, the last one partly filled: every line's median still comes from
// all of its values, the last partial block of lines included.
void TestLineStatistics::lineBlocksKeepEverySegment()
{
    const int lines = 37;  // two whole blocks and a partial one
    const int segments = 2 * LineColumns::kChunkSegments + 21;
    QVector<QVector<double>> re(lines), im(lines);
    LineColumns columns;
    columns.reset(lines);
    QRandomGenerator random(5);
    for (int k = 0; k < segments; ++k) {
        QVector<gsl_complex> values(lines);
        for (int j = 0; j < lines; ++j) {
            GSL_SET_COMPLEX(&values[j], random.generateDouble() + j, -random.generateDouble() - 2 * j);
            re[j].append(GSL_REAL(values[j]));
            im[j].append(GSL_IMAG(values[j]));
        }
        columns.append(values.constData());
    }
    QCOMPARE(columns.segmentCount(), segments);
    const QVector<gsl_complex> medians = columns.reduce(OrderStatistics::medianInPlace);
    QCOMPARE(medians.size(), lines);
    for (int j = 0; j < lines; ++j) {
        QCOMPARE(GSL_REAL(medians[j]), sortedMedian(re[j]));
        QCOMPARE(GSL_IMAG(medians[j]), sortedMedian(im[j]));
    }
}

void TestLineStatistics::fieldTallyAgreesWithExactMedians_data()
{
    // Real and imaginary parts of one line over the segments; the expected verdict.
    QTest::addColumn<QVector<double>>("re");
    QTest::addColumn<QVector<double>>("im");
    QTest::addColumn<int>("expected");  // MedianFieldTally::Field
    using F = MedianFieldTally::Field;
    QTest::addRow("random signs, odd") << randomRun(101, 1, 0) << randomRun(101, 2, 0) << int(F::Present);
    QTest::addRow("random signs, even") << randomRun(100, 1, 0) << randomRun(100, 2, 0) << int(F::Present);
    QTest::addRow("no field") << QVector<double>(20, 0.0) << QVector<double>(20, -0.0) << int(F::Absent);
    QTest::addRow("real part only") << randomRun(30, 3, 0) << QVector<double>(30, 0.0) << int(F::Present);
    QTest::addRow("middle between negative and zero")
        << QVector<double>{-3, -1, 0, 0} << QVector<double>{0, 0, 0, 0} << int(F::Present);
    QTest::addRow("middle between zero and positive")
        << QVector<double>{0, 0, 2, 5, 0, 9} << QVector<double>(6, 0.0) << int(F::Present);
    QTest::addRow("middle values cancel")
        << QVector<double>{-2, -0.5, 0.5, 2} << QVector<double>{0, 0, 0, 0} << int(F::Absent);
    QTest::addRow("middle values nearly cancel")
        << QVector<double>{-2, -0.5, 0.5000001, 2} << QVector<double>{0, 0, 0, 0} << int(F::Present);
    QTest::addRow("tiny values") << QVector<double>{1e-90, 2e-90, 3e-90} << QVector<double>{0, 0, 0}
                                 << int(F::Undecided);
    QTest::addRow("NaN in a segment") << QVector<double>{1, notANumber, 2} << QVector<double>{1, 1, 1} << int(F::Undecided);
    QTest::addRow("infinite value") << QVector<double>{1, inf, 2} << QVector<double>{1, 1, 1} << int(F::Undecided);
}

// The verdict agrees with the coherency test on the exact median lines (against an H line of unit
// field) wherever it is not left undecided.
void TestLineStatistics::fieldTallyAgreesWithExactMedians()
{
    QFETCH(QVector<double>, re);
    QFETCH(QVector<double>, im);
    QFETCH(int, expected);
    MedianFieldTally tally(1);
    for (int k = 0; k < re.size(); ++k) {
        const gsl_complex z = gsl_complex_rect(re[k], im[k]);
        tally.add(&z);
    }
    const MedianFieldTally::Field field = tally.field(0);
    QCOMPARE(int(field), expected);
    const gsl_complex median = gsl_complex_rect(sortedMedian(re), sortedMedian(im));
    const OneFreqSpectrum line{0, gsl_complex_abs(median), gsl_complex_arg(median)};
    const bool kept = Spectrix().Calc_Coherency(line, OneFreqSpectrum{0, 1, 0.3});
    if (field != MedianFieldTally::Field::Undecided)
        QCOMPARE(kept, field == MedianFieldTally::Field::Present);
}

QTEST_APPLESS_MAIN(TestLineStatistics)
#include "tst_LineStatistics.moc"
