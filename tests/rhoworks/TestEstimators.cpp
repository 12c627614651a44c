// The stacking and robust estimators on small inputs worked out by hand, and the leave-one-out
// repeated median against a slow, obvious implementation on random data with ties.

#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "Rhoworks.h"
#include "RhoworksTestSupport.h"

using namespace RhoworksTest;

namespace {

using Segments = QList<QVector<gsl_complex>>;

bool nanLast(double a, double b)
{
    if (std::isnan(a))
        return false;
    return std::isnan(b) || a < b;
}

// Sorts a copy and takes the middle value, or the mean of the two middle values.
double sortedMedian(QVector<double> values)
{
    std::sort(values.begin(), values.end(), nanLast);
    const int n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) * 0.5;
}

// The leave-one-out repeated median of one part written the obvious way: for each k, the median of
// all the other values, rounded to float; then the median of those, rounded to float.
double slowRepeatedMedian(const QVector<double> &values)
{
    if (values.size() == 1)
        return float(values[0]);
    QVector<double> stageOne;
    for (int k = 0; k < values.size(); ++k) {
        QVector<double> others = values;
        others.remove(k);
        stageOne << double(float(sortedMedian(others)));
    }
    return float(sortedMedian(stageOne));
}

QVector<double> part(const Segments &segments, int line, bool real)
{
    QVector<double> values;
    for (const QVector<gsl_complex> &entry : segments)
        values << (real ? GSL_REAL(entry[line]) : GSL_IMAG(entry[line]));
    return values;
}

// count segments of lines values; with levels > 0 the parts are drawn from that many small
// integers (many ties), otherwise continuous.
Segments randomSegments(int count, int lines, int levels, quint32 seed)
{
    QRandomGenerator random(seed);
    auto draw = [&]() {
        return levels > 0 ? double(random.bounded(levels)) - levels / 2 : random.generateDouble() * 2 - 1;
    };
    Segments segments;
    for (int k = 0; k < count; ++k) {
        QVector<gsl_complex> entry(lines);
        for (gsl_complex &z : entry)
            z = cx(draw(), draw());
        segments << entry;
    }
    return segments;
}

OneFreqCrossPower crossPower(double freq, double scale)
{
    return {freq, {cx(scale), cx(scale, -scale), cx(scale, scale), cx(2 * scale)}};
}

}  // namespace

class TestEstimators : public QObject {
    Q_OBJECT
private slots:
    void robustMedian_data();
    void robustMedian();
    void mEstimation_data();
    void mEstimation();
    void repeatMedianByHand_data();
    void repeatMedianByHand();
    void repeatMedianMatchesSlowReference_data();
    void repeatMedianMatchesSlowReference();
    void raggedInputUsesCommonLength();
    void meanStack();
};

void TestEstimators::robustMedian_data()
{
    QTest::addColumn<QVector<double>>("re");
    QTest::addColumn<QVector<double>>("im");
    QTest::addColumn<double>("expectedRe");
    QTest::addColumn<double>("expectedIm");
    QTest::newRow("parts taken apart") << QVector<double>{1, 2, 9} << QVector<double>{1, 5, 2} << 2.0 << 2.0;
    QTest::newRow("even count") << QVector<double>{1, 2, 9, 4} << QVector<double>{0, 0, 1, 1} << 3.0 << 0.5;
    QTest::newRow("one segment") << QVector<double>{0.1} << QVector<double>{-0.3} << 0.1 << -0.3;
}

void TestEstimators::robustMedian()
{
    QFETCH(QVector<double>, re);
    QFETCH(QVector<double>, im);
    QFETCH(double, expectedRe);
    QFETCH(double, expectedIm);
    Segments segments;
    for (int k = 0; k < re.size(); ++k)
        segments << QVector<gsl_complex>{cx(re[k], im[k])};
    const QVector<gsl_complex> result = Rhoworks().Robust_Median(segments);
    QCOMPARE(result.size(), 1);
    QCOMPARE(GSL_REAL(result[0]), expectedRe);
    QCOMPARE(GSL_IMAG(result[0]), expectedIm);
}

void TestEstimators::mEstimation_data()
{
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<double>("expected");
    // mean 1, distances 1, 1, 2, D = 4, weights 0.75, 0.75, 0.5: (0 + 0 + 1.5) / 2
    QTest::newRow("0 0 3") << QVector<double>{0, 0, 3} << 0.75;
    QTest::newRow("two values: weights 1/2 each") << QVector<double>{2, 6} << 4.0;
    // mean 2.25, distances 2.25 0.25 0.75 1.75 (D 5), weights 0.55 0.95 0.85 0.65 (sum 3)
    QTest::newRow("0 2 3 4") << QVector<double>{0, 2, 3, 4} << 7.05 / 3;
    QTest::newRow("all equal") << QVector<double>{1.5, 1.5, 1.5} << 1.5;
    QTest::newRow("one segment") << QVector<double>{-2} << -2.0;
    QTest::newRow("NaN spreads") << QVector<double>{1, kNaN, 3} << kNaN;
}

void TestEstimators::mEstimation()
{
    QFETCH(QVector<double>, values);
    QFETCH(double, expected);
    Segments segments;
    for (double v : values)
        segments << QVector<gsl_complex>{cx(v, -2 * v)};
    const QVector<gsl_complex> result = Rhoworks().Robust_MEstimation(segments);
    QVERIFY2(near(GSL_REAL(result[0]), expected, 1e-15),
             qPrintable(mismatch("real", GSL_REAL(result[0]), expected)));
    QVERIFY2(near(GSL_IMAG(result[0]), -2 * expected, 1e-15),
             qPrintable(mismatch("imag", GSL_IMAG(result[0]), -2 * expected)));
}

void TestEstimators::repeatMedianByHand_data()
{
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<double>("expected");
    // Two segments: each leaves the other, whose mean is the result.
    QTest::newRow("two") << QVector<double>{1, 2} << 1.5;
    // 1 + 2^-30 needs more than 24 bits and rounds to 1.
    QTest::newRow("one, beyond float") << QVector<double>{1 + std::ldexp(1.0, -30)} << 1.0;
    QTest::newRow("two, beyond float") << QVector<double>{0.1, 0.1} << double(0.1f);
    // leave-one-out medians of 1 2 3 10: 3 3 2 2; their median 2.5
    QTest::newRow("four") << QVector<double>{1, 2, 3, 10} << 2.5;
    // of 1 2 3: 2.5 2 1.5; median 2
    QTest::newRow("three") << QVector<double>{1, 2, 3} << 2.0;
    QTest::newRow("ties") << QVector<double>{5, 5, 1, 5} << 5.0;
}

void TestEstimators::repeatMedianByHand()
{
    QFETCH(QVector<double>, values);
    QFETCH(double, expected);
    Segments segments;
    for (double v : values)
        segments << QVector<gsl_complex>{cx(v, v / 3)};
    const QVector<gsl_complex> result = Rhoworks().Robust_RepeatMedian(segments);
    QCOMPARE(GSL_REAL(result[0]), expected);
    QCOMPARE(GSL_IMAG(result[0]), slowRepeatedMedian(part(segments, 0, false)));
}

void TestEstimators::repeatMedianMatchesSlowReference_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("levels");
    QTest::addColumn<bool>("withNaN");
    for (int count : {2, 3, 4, 5, 8, 31, 64}) {
        QTest::addRow("%d segments, continuous", count) << count << 0 << false;
        QTest::addRow("%d segments, ties", count) << count << 5 << false;
    }
    QTest::newRow("33 segments, NaN among ties") << 33 << 7 << true;
    QTest::newRow("34 segments, NaN among ties") << 34 << 7 << true;
}

void TestEstimators::repeatMedianMatchesSlowReference()
{
    QFETCH(int, count);
    QFETCH(int, levels);
    QFETCH(bool, withNaN);
    const int lines = 70;  // more than one block of lines
    Segments segments = randomSegments(count, lines, levels, quint32(count * 100 + levels));
    if (withNaN) {
        for (int k = 0; k < count; k += 5)
            GSL_SET_REAL(&segments[k][k % lines], kNaN);
    }
    const QVector<gsl_complex> fast = Rhoworks().Robust_RepeatMedian(segments);
    QCOMPARE(fast.size(), lines);
    for (int i = 0; i < lines; ++i) {
        const double re = slowRepeatedMedian(part(segments, i, true));
        const double im = slowRepeatedMedian(part(segments, i, false));
        QVERIFY2(near(GSL_REAL(fast[i]), re, 0),
                 qPrintable(mismatch(QString("line %1 real").arg(i), GSL_REAL(fast[i]), re)));
        QVERIFY2(near(GSL_IMAG(fast[i]), im, 0),
                 qPrintable(mismatch(QString("line %1 imag").arg(i), GSL_IMAG(fast[i]), im)));
    }
}

void TestEstimators::raggedInputUsesCommonLength()
{
    Rhoworks rhoworks;
    const Segments ragged{{cx(1), cx(2), cx(3)}, {cx(3), cx(4)}, {cx(5), cx(6), cx(7), cx(8)}};
    QCOMPARE(rhoworks.Robust_Median(ragged).size(), 2);
    QCOMPARE(rhoworks.Robust_MEstimation(ragged).size(), 2);
    QCOMPARE(rhoworks.Robust_RepeatMedian(ragged).size(), 2);
    QCOMPARE(GSL_REAL(rhoworks.Robust_Median(ragged)[1]), 4.0);
    QVERIFY(rhoworks.Robust_RepeatMedian({}).isEmpty());
    QVERIFY(rhoworks.Robust_MEstimation({}).isEmpty());
    QVERIFY(rhoworks.SumCrossPower({}).isEmpty());
    QVERIFY(rhoworks.MedianSumCrossPower({}).isEmpty());
    const QList<QVector<OneFreqCrossPower>> stacks{{crossPower(1, 1), crossPower(2, 1)},
                                                   {crossPower(1, 3)}};
    QCOMPARE(rhoworks.SumCrossPower(stacks).size(), 1);
    const QVector<OneFreqCrossPower> median =
        rhoworks.MedianSumCrossPower(stacks + QList<QVector<OneFreqCrossPower>>{{crossPower(7, 9)}});
    QCOMPARE(median.size(), 1);
    QCOMPARE(median[0].freq, 1.0);
    QCOMPARE(GSL_REAL(median[0].crossPower[3]), 6.0);   // entries 2, 6, 18
    QCOMPARE(GSL_IMAG(median[0].crossPower[1]), -3.0);  // entries -1, -3, -9
}

void TestEstimators::meanStack()
{
    Rhoworks rhoworks;
    const QVector<OneFreqCrossPower> entry{crossPower(1, 1), crossPower(2, 0.3)};
    const QVector<OneFreqCrossPower> same = rhoworks.SumCrossPower({entry, entry, entry});
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 4; ++j) {
            QVERIFY(near(GSL_REAL(same[i].crossPower[j]), GSL_REAL(entry[i].crossPower[j]), 1e-15));
            QVERIFY(near(GSL_IMAG(same[i].crossPower[j]), GSL_IMAG(entry[i].crossPower[j]), 1e-15));
        }
    }
    // Scales 1, 2, 6 average to 3; frequencies come from the first entry; a line without entries
    // in one segment stays without entries.
    QVector<OneFreqCrossPower> gap{crossPower(10, 6), {20, {}}};
    const QVector<OneFreqCrossPower> mean =
        rhoworks.SumCrossPower({{crossPower(1, 1), crossPower(2, 1)},
                                {crossPower(5, 2), crossPower(6, 2)}, gap});
    QCOMPARE(mean[0].freq, 1.0);
    QCOMPARE(GSL_REAL(mean[0].crossPower[3]), 6.0);
    QCOMPARE(GSL_IMAG(mean[0].crossPower[1]), -3.0);
    QVERIFY(mean[1].crossPower.isEmpty());
}

namespace RhoworksTest {
int runEstimatorTests(int argc, char **argv)
{
    TestEstimators test;
    return QTest::qExec(&test, argc, argv);
}
}  // namespace RhoworksTest

#include "TestEstimators.moc"
