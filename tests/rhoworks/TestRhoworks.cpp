// The supporting operations of the pipeline: converter scale and clipping, unit conversion,
// calibration tables and spectra, the median, the dead-frequency treatment and the smoothers,
// each checked against values worked out by hand.

#include <QtTest>
#include <cmath>

#include "Rhoworks.h"
#include "RhoworksTestSupport.h"

using namespace RhoworksTest;

namespace {

OneFreqImpedance record(double freq, double rho, double phase = 45, double coherency = 0.9)
{
    OneFreqImpedance r;
    r.freq = freq;
    r.rho = rho;
    r.phase = phase;
    r.coherency = coherency;
    return r;
}

QVector<OneFreqImpedance> curveOf(const QVector<double> &freqs, const QVector<double> &rhos)
{
    QVector<OneFreqImpedance> curve;
    for (int i = 0; i < freqs.size(); ++i)
        curve << record(freqs[i], rhos[i], 30 + i);
    return curve;
}

}  // namespace

class TestRhoworks : public QObject {
    Q_OBJECT
private slots:
    void converterScale_data();
    void converterScale();
    void clippingAtTheFullScale_data();
    void clippingAtTheFullScale();
    void unitConversionUsesSinglePrecisionLength();
    void interpolationHoldsEndValues_data();
    void interpolationHoldsEndValues();
    void unusableTableComesBackEmpty();
    void calibrationDividesAndSubtracts_data();
    void calibrationDividesAndSubtracts();
    void median_data();
    void median();
    void modeListSetsPowerLines_data();
    void modeListSetsPowerLines();
    void deadFrequencies_data();
    void deadFrequencies();
    void deadTreatmentIsRepeatable();
    void bostickOnEveryRecord();
    void smoothThree_data();
    void smoothThree();
    void smoothFiveKeepsStraightLinesAndGuardsLimits();
};

void TestRhoworks::converterScale_data()
{
    QTest::addColumn<double>("fs");
    QTest::addColumn<double>("expected");
    QTest::newRow("1024 Hz, 32-bit") << 1024.0 << 2500.0 / 2147483648.0;
    QTest::newRow("4095 Hz, 32-bit") << 4095.0 << 2500.0 / 2147483648.0;
    QTest::newRow("4096 Hz, 24-bit") << 4096.0 << 3000.0 / 8388608.0;
}

void TestRhoworks::converterScale()
{
    QFETCH(double, fs);
    QFETCH(double, expected);
    Rhoworks rhoworks;
    const float scale = rhoworks.ADResolution(fs);
    QCOMPARE(double(scale), expected);  // both scales are exact in single precision
}

void TestRhoworks::clippingAtTheFullScale_data()
{
    QTest::addColumn<double>("fs");
    QTest::addColumn<double>("sample");
    QTest::addColumn<bool>("clipped");
    QTest::newRow("2500 at 1024 Hz") << 1024.0 << 2500.0 << true;
    QTest::newRow("-2500 at 1024 Hz") << 1024.0 << -2500.0 << true;
    QTest::newRow("2499.9 at 1024 Hz") << 1024.0 << 2499.9 << false;
    QTest::newRow("2999.9 at 4096 Hz") << 4096.0 << 2999.9 << false;
    QTest::newRow("3000 at 4096 Hz") << 4096.0 << 3000.0 << true;
    QTest::newRow("2500 at 4096 Hz") << 4096.0 << 2500.0 << false;
    QTest::newRow("NaN") << 1024.0 << kNaN << false;
}

void TestRhoworks::clippingAtTheFullScale()
{
    QFETCH(double, fs);
    QFETCH(double, sample);
    QFETCH(bool, clipped);
    Rhoworks rhoworks;
    QCOMPARE(rhoworks.OverflowDetermine({1.0, sample, -3.0}, fs), clipped);
}

void TestRhoworks::unitConversionUsesSinglePrecisionLength()
{
    Rhoworks rhoworks;
    QCOMPARE(rhoworks.UnitConversion({1.0, -2.5}, 50.0f), (QVector<double>{20.0, -50.0}));
    // 0.1 m arrives as the float 0.100000001490116...
    const QVector<double> converted = rhoworks.UnitConversion({1.0}, 0.1f);
    QCOMPARE(converted.first(), 1000 / double(0.1f));
    QVERIFY(converted.first() != 10000.0);
}

void TestRhoworks::interpolationHoldsEndValues_data()
{
    QTest::addColumn<QVector<QVector<double>>>("rows");  // freq, amplitude, phase (rad)
    QTest::addColumn<QVector<double>>("amplitudes");    // expected at 1, 2, 3, 4 Hz (n 8, fs 8)
    QTest::addColumn<QVector<double>>("phases");
    QTest::newRow("covering") << QVector<QVector<double>>{{0.5, 1, 0}, {4.5, 5, 0.4}}
                              << QVector<double>{1.5, 2.5, 3.5, 4.5}
                              << QVector<double>{0.05, 0.15, 0.25, 0.35};
    QTest::newRow("narrower than the band") << QVector<QVector<double>>{{2, 2, 0.2}, {3, 4, 0.4}}
                                            << QVector<double>{2, 2, 4, 4}
                                            << QVector<double>{0.2, 0.2, 0.4, 0.4};
    QTest::newRow("inside the band") << QVector<QVector<double>>{{1.5, 1, 0}, {2.5, 3, -1}}
                                     << QVector<double>{1, 2, 3, 3}
                                     << QVector<double>{0, -0.5, -1, -1};
    QTest::newRow("one row") << QVector<QVector<double>>{{10, 7, 0.5}}
                             << QVector<double>{7, 7, 7, 7} << QVector<double>{0.5, 0.5, 0.5, 0.5};
}

void TestRhoworks::interpolationHoldsEndValues()
{
    QFETCH(QVector<QVector<double>>, rows);
    QFETCH(QVector<double>, amplitudes);
    QFETCH(QVector<double>, phases);
    QList<OneFreqCheck> table;
    for (const QVector<double> &row : rows)
        table << OneFreqCheck{row[0], row[1], row[2]};
    Rhoworks rhoworks;
    rhoworks.getInterpolation(table, 8, 8);
    QCOMPARE(table.size(), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(table[i].freq, i + 1.0);
        QVERIFY2(near(table[i].amplitude, amplitudes[i], 1e-12),
                 qPrintable(mismatch("amplitude", table[i].amplitude, amplitudes[i])));
        QVERIFY2(near(table[i].phase, phases[i], 1e-12),
                 qPrintable(mismatch("phase", table[i].phase, phases[i])));
    }
}

void TestRhoworks::unusableTableComesBackEmpty()
{
    Rhoworks rhoworks;
    QList<OneFreqCheck> empty;
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("getInterpolation"));
    rhoworks.getInterpolation(empty, 8, 8);
    QVERIFY(empty.isEmpty());
    QList<OneFreqCheck> repeated{{1, 1, 0}, {1, 2, 0}, {3, 1, 0}};
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("getInterpolation"));
    rhoworks.getInterpolation(repeated, 8, 8);
    QVERIFY(repeated.isEmpty());
}

void TestRhoworks::calibrationDividesAndSubtracts_data()
{
    QTest::addColumn<bool>("applyA");
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("phase");
    // line 12 at 0.5 rad, table B 3 / 0.2 rad, table A 2 / 0.1 rad
    QTest::newRow("gain only") << false << 4.0 << 0.3;
    QTest::newRow("gain and sensor") << true << 2.0 << 0.2;
}

void TestRhoworks::calibrationDividesAndSubtracts()
{
    QFETCH(bool, applyA);
    QFETCH(double, amplitude);
    QFETCH(double, phase);
    Rhoworks rhoworks;
    const QList<OneFreqSpectrum> spectrum{{1, 12, 0.5}, {2, 6, 0}};
    const QList<OneFreqCheck> a{{1, 2, 0.1}, {2, 2, 0.1}};
    const QList<OneFreqCheck> b{{1, 3, 0.2}, {2, 3, 0.2}};
    const QList<OneFreqSpectrum> calibrated = rhoworks.getCalSpectrum(spectrum, a, b, applyA);
    QCOMPARE(calibrated.size(), 2);
    QCOMPARE(calibrated[0].freq, 1.0);
    QVERIFY(near(calibrated[0].amplitude, amplitude, 1e-15));
    QVERIFY(near(calibrated[0].phase, phase, 1e-15));
    // A short table limits the lines instead of being read past its end.
    QCOMPARE(rhoworks.getCalSpectrum(spectrum, a, b.mid(0, 1), applyA).size(), 1);
}

void TestRhoworks::median_data()
{
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<double>("expected");
    QTest::newRow("odd") << QVector<double>{3, 1, 2} << 2.0;
    QTest::newRow("even") << QVector<double>{4, 1, 3, 2} << 2.5;
    QTest::newRow("one") << QVector<double>{-7} << -7.0;
    QTest::newRow("ties") << QVector<double>{5, 1, 5, 1, 5} << 5.0;
    QTest::newRow("NaN sorts last") << QVector<double>{kNaN, 1, 3} << 3.0;
    QTest::newRow("none") << QVector<double>{} << kNaN;
}

void TestRhoworks::median()
{
    QFETCH(QVector<double>, values);
    QFETCH(double, expected);
    Rhoworks rhoworks;
    QVERIFY(near(rhoworks.median(values), expected, 0));
}

void TestRhoworks::modeListSetsPowerLines_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<double>>("powerLines");
    QTest::newRow("mode 3") << 3 << QList<double>{39.8, 44.7, 50.1, 56.2, 63.1, 126, 141, 158, 178, 200};
    QTest::newRow("mode 7 keeps the mode 1 list") << 7 << QList<double>{38.3, 46.4, 56.2, 68.1, 121, 147, 178, 215};
}

void TestRhoworks::modeListSetsPowerLines()
{
    QFETCH(int, mode);
    QFETCH(QList<double>, powerLines);
    Rhoworks rhoworks;
    rhoworks.GenerateFreqList(1, 10, 1);
    rhoworks.GenerateFreqList(1, 10, mode);
    QCOMPARE(rhoworks.powerLineList, powerLines);
}

void TestRhoworks::deadFrequencies_data()
{
    QTest::addColumn<QVector<double>>("freqs");
    QTest::addColumn<QVector<double>>("rhos");
    QTest::addColumn<QVector<double>>("expected");
    QTest::newRow("one live record") << QVector<double>{31.6, 39.8, 50.1, 63.1}
                                     << QVector<double>{10, 99, 99, 99}
                                     << QVector<double>{10, 10, 10, 10};
    // (1/9 * 1 + 1/4 * 2 + 1 * 3) / (1/9 + 1/4 + 1)
    QTest::newRow("index distances") << QVector<double>{20, 25.1, 31.6, 39.8}
                                     << QVector<double>{1, 2, 3, 50}
                                     << QVector<double>{1, 2, 3, (1.0 / 9 + 0.5 + 3) / (1.0 / 9 + 0.25 + 1)};
    QTest::newRow("within 1e-5") << QVector<double>{2000.000009, 2510.0001, 3000}
                                 << QVector<double>{5, 7, 9}
                                 << QVector<double>{(7.0 + 9 / 4.0) / (1 + 0.25), 7, 9};
    QTest::newRow("no live record") << QVector<double>{50.1, 63.1} << QVector<double>{4, 5}
                                    << QVector<double>{4, 5};
}

void TestRhoworks::deadFrequencies()
{
    QFETCH(QVector<double>, freqs);
    QFETCH(QVector<double>, rhos);
    QFETCH(QVector<double>, expected);
    Rhoworks rhoworks;
    QVector<OneFreqImpedance> curve = curveOf(freqs, rhos);
    rhoworks.DealWithDeadFreqAndPowerLine(curve);
    for (int i = 0; i < curve.size(); ++i)
        QVERIFY2(near(curve[i].rho, expected[i], 1e-14),
                 qPrintable(mismatch(QString::number(freqs[i]), curve[i].rho, expected[i])));
}

void TestRhoworks::deadTreatmentIsRepeatable()
{
    Rhoworks rhoworks;
    rhoworks.curve = curveOf({20, 25.1, 31.6, 39.8, 50.1, 63.1, 79.4, 100}, {1, 2, 3, 4, 5, 6, 7, 8});
    const QVector<OneFreqImpedance> once = rhoworks.getCanigrdResistivity();
    const QVector<OneFreqImpedance> twice = rhoworks.getCanigrdResistivity();
    QCOMPARE(twice.size(), once.size());
    for (int i = 0; i < once.size(); ++i) {
        QCOMPARE(twice[i].rho, once[i].rho);
        QCOMPARE(twice[i].phase, once[i].phase);
        QCOMPARE(twice[i].bostickRho, once[i].bostickRho);
    }
}

void TestRhoworks::bostickOnEveryRecord()
{
    Rhoworks rhoworks;
    QVector<OneFreqImpedance> curve{record(4, 100, 30), record(16, 0, 0)};
    rhoworks.DealWithDeadFreqAndPowerLine(curve);
    QCOMPARE(curve[0].bostickDepth, 356 * 5.0);
    QVERIFY(near(curve[0].bostickRho, 200, 1e-14));
    QCOMPARE(curve[1].bostickDepth, 0.0);
    QVERIFY(!std::isfinite(curve[1].bostickRho));  // phase 0: (90/0 - 1) * 0
}

void TestRhoworks::smoothThree_data()
{
    QTest::addColumn<QVector<double>>("x");
    QTest::addColumn<QVector<double>>("expected");
    QTest::newRow("straight line") << QVector<double>{1, 2, 3, 4} << QVector<double>{1, 2, 3, 4};
    QTest::newRow("zigzag") << QVector<double>{0, 3, 0, 3} << QVector<double>{1, 1, 2, 2};
    QTest::newRow("three") << QVector<double>{6, 0, 0} << QVector<double>{5, 2, -1};
    QTest::newRow("too short") << QVector<double>{6, 0} << QVector<double>{6, 0};
}

void TestRhoworks::smoothThree()
{
    QFETCH(QVector<double>, x);
    QFETCH(QVector<double>, expected);
    Rhoworks rhoworks;
    QVector<double> second = x;
    rhoworks.LineSmoothThree(x, second);
    for (int i = 0; i < x.size(); ++i) {
        QVERIFY2(near(x[i], expected[i], 1e-15), qPrintable(mismatch("first", x[i], expected[i])));
        QVERIFY2(near(second[i], expected[i], 1e-15), qPrintable(mismatch("second", second[i], expected[i])));
    }
}

void TestRhoworks::smoothFiveKeepsStraightLinesAndGuardsLimits()
{
    Rhoworks rhoworks;
    QVector<OneFreqImpedance> line;
    for (int k = 0; k < 7; ++k)
        line << record(10 * (k + 1), 10 + 2 * k, 20 + 3 * k);
    // The smoothed values go into the stored curve, whose records keep their own frequencies.
    rhoworks.curve = QVector<OneFreqImpedance>(7, record(4, 0, 0));
    rhoworks.LineSmoothFive(line);
    for (int k = 0; k < 7; ++k) {
        const OneFreqImpedance &r = rhoworks.curve[k];
        QVERIFY2(near(r.rho, 10 + 2 * k, 1e-14), qPrintable(mismatch("rho", r.rho, 10 + 2 * k)));
        QVERIFY2(near(r.phase, 20 + 3 * k, 1e-14), qPrintable(mismatch("phase", r.phase, 20 + 3 * k)));
        QVERIFY(near(r.bostickDepth, 356 * std::sqrt(r.rho / 4), 1e-14));
    }
    // Smoothed rho 0.1 or below and phases outside (1, 89) fall back to the unsmoothed values:
    // at k = 0 rho gives (3*1 + 0 + 0 - 1 * 2.5) / 5 = 0.1, phase (3*88 + 2*89 + 89 - 0) / 5 = 106.2.
    const QVector<double> rhos{1, 0, 0, 0, 2.5};
    const QVector<double> phases{88, 89, 89, 60, 0};
    QVector<OneFreqImpedance> guarded;
    for (int k = 0; k < 5; ++k)
        guarded << record(1, rhos[k], phases[k]);
    rhoworks.LineSmoothFive(guarded);
    QCOMPARE(rhoworks.curve[0].rho, 1.0);
    QCOMPARE(rhoworks.curve[0].phase, 88.0);
    QVERIFY(near(rhoworks.curve[2].rho, 3.5 / 5, 1e-15));   // (1 + 0 + 0 + 0 + 2.5) / 5
    QVERIFY(near(rhoworks.curve[2].phase, 65.2, 1e-14));    // (88 + 89 + 89 + 60 + 0) / 5
}

namespace RhoworksTest {
int runHelperTests(int argc, char **argv)
{
    TestRhoworks test;
    return QTest::qExec(&test, argc, argv);
}
}  // namespace RhoworksTest

#include "TestRhoworks.moc"
