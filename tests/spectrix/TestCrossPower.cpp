// Cross powers, Parzen band averages and coherency, checked against invariants of the 2 x 2
// cross-power matrix and hand-computed kernel weights.

#include "SpectrixTestSupport.h"
#include "Spectrix.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

using namespace SpectrixTest;

namespace {

QVector<OneFreqSpectrum> randomSpectrum(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QVector<OneFreqSpectrum> spectrum(size);
    for (int i = 0; i < size; ++i)
        spectrum[i] = {0.5 * (i + 1), random.bounded(10.0), random.bounded(2 * M_PI) - M_PI};
    return spectrum;
}

QVector<OneFreqCrossPower> crossPowers(const QString &form, const QVector<OneFreqSpectrum> &e,
                                       const QVector<OneFreqSpectrum> &h)
{
    Spectrix spectrix;
    if (form == "list")
        return spectrix.ComputeCrossPower(e.toList(), h.toList());
    return spectrix.ComputeCrossPower(e, h);
}

void addFormRows()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("list") << QString("list");
    QTest::newRow("vector") << QString("vector");
}

// The weight of a line at half the half-width: (sin(pi/2) / (pi/2))^4 = 16 / pi^4.
const double kHalfWidthWeight = 16 / std::pow(M_PI, 4);

const QVector<gsl_complex> kS{cx(2), cx(0.5, -1.5), cx(0.5, 1.5), cx(3)};
const QVector<gsl_complex> kOnes(4, cx(1));
const QVector<gsl_complex> kZeros(4, cx(0));
const QVector<gsl_complex> kNaNs(4, cx(kNaN, kNaN));

} // namespace

class TestCrossPower : public QObject {
    Q_OBJECT
private slots:
    void entriesFormTheHermitianMatrix_data() { addFormRows(); }
    void entriesFormTheHermitianMatrix();
    void sameSpectrumTwiceIsFullyCoherent_data() { addFormRows(); }
    void sameSpectrumTwiceIsFullyCoherent();
    void lengthMismatchGivesNothing_data();
    void lengthMismatchGivesNothing();
    void frequencyMismatchEmptiesOneRecord_data();
    void frequencyMismatchEmptiesOneRecord();
    void bandAverage_data();
    void bandAverage();
    void valueBandAverage_data();
    void valueBandAverage();
    void recordCoherency_data();
    void recordCoherency();
    void lineCoherency_data();
    void lineCoherency();
};

void TestCrossPower::entriesFormTheHermitianMatrix()
{
    QFETCH(QString, form);
    const QVector<OneFreqSpectrum> e = randomSpectrum(50, 1);
    const QVector<OneFreqSpectrum> h = randomSpectrum(50, 2);
    const QVector<OneFreqCrossPower> records = crossPowers(form, e, h);
    QCOMPARE(records.size(), e.size());
    for (int i = 0; i < records.size(); ++i) {
        const QVector<gsl_complex> &s = records[i].crossPower;
        QCOMPARE(records[i].freq, e[i].freq);
        QCOMPARE(s.size(), 4);
        const double ae = e[i].amplitude, ah = h[i].amplitude, dphi = e[i].phase - h[i].phase;
        const double tol = 1e-13 * (1 + ae * ae + ah * ah);
        QVERIFY2(near(s[0], cx(ae * ae), tol), qPrintable(describe(s[0])));
        QVERIFY2(near(s[3], cx(ah * ah), tol), qPrintable(describe(s[3])));
        QVERIFY2(near(s[1], cx(ae * ah * std::cos(dphi), ae * ah * std::sin(dphi)), tol), qPrintable(describe(s[1])));
        QCOMPARE(GSL_REAL(s[2]), GSL_REAL(s[1]));
        QCOMPARE(GSL_IMAG(s[2]), -GSL_IMAG(s[1]));
    }
}

void TestCrossPower::sameSpectrumTwiceIsFullyCoherent()
{
    QFETCH(QString, form);
    const QVector<OneFreqSpectrum> e = randomSpectrum(20, 3);
    Spectrix spectrix;
    for (const OneFreqCrossPower &record : crossPowers(form, e, e)) {
        const QVector<gsl_complex> &s = record.crossPower;
        const double tol = 1e-13 * (1 + GSL_REAL(s[0]));
        QVERIFY(near(s[1], s[0], tol) && near(s[2], s[0], tol) && near(s[3], s[0], tol));
        QVERIFY2(near(spectrix.Calc_Coherency2(record), 1.0, 1e-12), qPrintable(QString::number(spectrix.Calc_Coherency2(record), 'g', 17)));
        QVERIFY(spectrix.Calc_Coherency(record));
    }
}

void TestCrossPower::lengthMismatchGivesNothing_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("eSize");
    QTest::addColumn<int>("hSize");
    for (const QString form : {"list", "vector"}) {
        QTest::newRow(qPrintable(form + " 10 11")) << form << 10 << 11;
        QTest::newRow(qPrintable(form + " 11 10")) << form << 11 << 10;
        QTest::newRow(qPrintable(form + " 0 3")) << form << 0 << 3;
    }
}

void TestCrossPower::lengthMismatchGivesNothing()
{
    QFETCH(QString, form);
    QFETCH(int, eSize);
    QFETCH(int, hSize);
    QVERIFY(crossPowers(form, randomSpectrum(eSize, 4), randomSpectrum(hSize, 5)).isEmpty());
}

void TestCrossPower::frequencyMismatchEmptiesOneRecord_data()
{
    QTest::addColumn<double>("eFreq");
    QTest::addColumn<double>("hFreq");
    QTest::newRow("close but unequal") << 1.5 << 1.5000000001;
    QTest::newRow("both NaN") << kNaN << kNaN;
    QTest::newRow("one NaN") << 1.5 << kNaN;
}

void TestCrossPower::frequencyMismatchEmptiesOneRecord()
{
    QFETCH(double, eFreq);
    QFETCH(double, hFreq);
    QVector<OneFreqSpectrum> e = randomSpectrum(5, 6);
    QVector<OneFreqSpectrum> h = randomSpectrum(5, 7);
    e[2].freq = eFreq;
    h[2].freq = hFreq;

    QTest::ignoreMessage(QtDebugMsg, "频率大小不一致!");
    const QVector<OneFreqCrossPower> records = Spectrix().ComputeCrossPower(e, h);
    QCOMPARE(records.size(), 5);
    for (int i = 0; i < records.size(); ++i)
        QCOMPARE(records[i].crossPower.size(), i == 2 ? 0 : 4);
}

void TestCrossPower::bandAverage_data()
{
    QTest::addColumn<QVector<OneFreqCrossPower>>("records");
    QTest::addColumn<double>("f0");
    QTest::addColumn<double>("b");
    QTest::addColumn<QVector<gsl_complex>>("expected");
    QTest::addColumn<double>("tol");

    const OneFreqCrossPower onlyAtF0 = crossPowerRecord(10, kS);
    QTest::newRow("only the line at f0 has weight 1")
        << QVector<OneFreqCrossPower>{crossPowerRecord(8, kOnes), onlyAtF0, crossPowerRecord(12, kOnes)}
        << 10.0 << 0.1 << kS << 0.0;
    QTest::newRow("line at exactly hw is outside")
        << QVector<OneFreqCrossPower>{crossPowerRecord(5, QVector<gsl_complex>(4, cx(kInf))), onlyAtF0,
                                      crossPowerRecord(15, QVector<gsl_complex>(4, cx(kInf)))}
        << 10.0 << 0.5 << kS << 0.0;
    QTest::newRow("line alone at hw leaves the band empty")
        << QVector<OneFreqCrossPower>{crossPowerRecord(15, kOnes)} << 10.0 << 0.5 << kNaNs << 0.0;
    QTest::newRow("line at half of hw weighs 16/pi^4")
        << QVector<OneFreqCrossPower>{onlyAtF0, crossPowerRecord(12, kZeros)} << 10.0 << 0.4
        << QVector<gsl_complex>{cx(2 / (1 + kHalfWidthWeight)), cx(0.5 / (1 + kHalfWidthWeight), -1.5 / (1 + kHalfWidthWeight)),
                                cx(0.5 / (1 + kHalfWidthWeight), 1.5 / (1 + kHalfWidthWeight)), cx(3 / (1 + kHalfWidthWeight))}
        << 1e-7;
    // (sin(0.999 pi) / (0.999 pi))^4 = 1.004e-12: tiny but present.
    QTest::newRow("line at 0.999 hw weighs almost nothing")
        << QVector<OneFreqCrossPower>{crossPowerRecord(10, kOnes), crossPowerRecord(14.995, QVector<gsl_complex>(4, cx(1e12)))}
        << 10.0 << 0.5 << QVector<gsl_complex>(4, cx(2.00407)) << 1e-4;
    QTest::newRow("equal matrices average to themselves")
        << QVector<OneFreqCrossPower>{crossPowerRecord(9, kS), crossPowerRecord(9.7, kS), crossPowerRecord(10, kS),
                                      crossPowerRecord(10.4, kS), crossPowerRecord(11.5, kS)}
        << 10.0 << 0.2 << kS << 1e-14;
    QTest::newRow("no line in band") << QVector<OneFreqCrossPower>{crossPowerRecord(1, kS), crossPowerRecord(100, kS)}
                                     << 10.0 << 0.1 << kNaNs << 0.0;
    QTest::newRow("zero half-width") << QVector<OneFreqCrossPower>{onlyAtF0} << 10.0 << 0.0 << kNaNs << 0.0;
    QTest::newRow("no records at all") << QVector<OneFreqCrossPower>{} << 10.0 << 0.3 << kNaNs << 0.0;
    QTest::newRow("mismatch records are skipped")
        << QVector<OneFreqCrossPower>{crossPowerRecord(10, {}), crossPowerRecord(10.5, kS), crossPowerRecord(9.5, {})}
        << 10.0 << 0.3 << kS << 1e-14;
    QTest::newRow("NaN matrix in band poisons") << QVector<OneFreqCrossPower>{onlyAtF0, crossPowerRecord(10.1, kNaNs)}
                                                << 10.0 << 0.3 << kNaNs << 0.0;
    QTest::newRow("NaN frequency is outside") << QVector<OneFreqCrossPower>{onlyAtF0, crossPowerRecord(kNaN, kOnes)}
                                              << 10.0 << 0.3 << kS << 0.0;
}

void TestCrossPower::bandAverage()
{
    QFETCH(QVector<OneFreqCrossPower>, records);
    QFETCH(double, f0);
    QFETCH(double, b);
    QFETCH(QVector<gsl_complex>, expected);
    QFETCH(double, tol);

    const OneFreqCrossPower average = Spectrix().OneFreqBendParzen(f0, records, b);
    QCOMPARE(average.freq, f0);
    QCOMPARE(average.crossPower.size(), 4);
    for (int k = 0; k < 4; ++k)
        QVERIFY2(near(average.crossPower[k], expected[k], tol),
                 qPrintable(QString("S[%1]: %2, expected %3").arg(k).arg(describe(average.crossPower[k]), describe(expected[k]))));
}

void TestCrossPower::valueBandAverage_data()
{
    QTest::addColumn<QVector<gsl_complex>>("values");
    QTest::addColumn<QVector<double>>("freqs");
    QTest::addColumn<double>("f0");
    QTest::addColumn<double>("b");
    QTest::addColumn<gsl_complex>("expected");
    QTest::addColumn<double>("tol");

    QTest::newRow("only the value at f0") << QVector<gsl_complex>{cx(9), cx(1, -2), cx(9)} << QVector<double>{40, 50, 60}
                                          << 50.0 << 0.1 << cx(1, -2) << 0.0;
    QTest::newRow("value at half of hw") << QVector<gsl_complex>{cx(1, 2), cx(0)} << QVector<double>{50, 52.5}
                                         << 50.0 << 0.1 << cx(1 / (1 + kHalfWidthWeight), 2 / (1 + kHalfWidthWeight)) << 1e-7;
    QTest::newRow("values only at the edges") << QVector<gsl_complex>{cx(1), cx(1)} << QVector<double>{45, 55}
                                              << 50.0 << 0.1 << cx(kNaN, kNaN) << 0.0;
    QTest::newRow("no values") << QVector<gsl_complex>{} << QVector<double>{} << 50.0 << 0.1 << cx(kNaN, kNaN) << 0.0;
    QTest::newRow("fewer frequencies than values") << QVector<gsl_complex>{cx(3, 4), cx(100), cx(100)} << QVector<double>{50}
                                                   << 50.0 << 0.1 << cx(3, 4) << 0.0;
    QTest::newRow("NaN target") << QVector<gsl_complex>{cx(3, 4)} << QVector<double>{50} << kNaN << 0.1 << cx(kNaN, kNaN) << 0.0;
}

void TestCrossPower::valueBandAverage()
{
    QFETCH(QVector<gsl_complex>, values);
    QFETCH(QVector<double>, freqs);
    QFETCH(double, f0);
    QFETCH(double, b);
    QFETCH(gsl_complex, expected);
    QFETCH(double, tol);

    const gsl_complex average = Spectrix().OneFreqBendParzen(f0, values, freqs, b);
    QVERIFY2(near(average, expected, tol), qPrintable(describe(average) + " expected " + describe(expected)));
}

void TestCrossPower::recordCoherency_data()
{
    QTest::addColumn<OneFreqCrossPower>("record");
    QTest::addColumn<double>("coherency");
    QTest::addColumn<bool>("passes");

    QTest::newRow("exactly 0.3 passes") << crossPowerRecord(1, {cx(1), cx(0.3), cx(0.3), cx(1)}) << 0.3 << true;
    QTest::newRow("0.2999 fails") << crossPowerRecord(1, {cx(1), cx(0.2999), cx(0.2999), cx(1)}) << 0.2999 << false;
    QTest::newRow("complex cross power") << crossPowerRecord(1, {cx(4), cx(3, -4.5), cx(3, 4.5), cx(9)})
                                         << std::sqrt(29.25 / 36) << true;
    QTest::newRow("no H power is NaN") << crossPowerRecord(1, {cx(4), cx(0), cx(0), cx(0)}) << kNaN << false;
    QTest::newRow("no E power is infinite") << crossPowerRecord(1, {cx(0), cx(1), cx(1), cx(1)}) << kInf << false;
    QTest::newRow("NaN entries") << crossPowerRecord(1, kNaNs) << kNaN << false;
    QTest::newRow("mismatch record") << crossPowerRecord(1, {}) << kNaN << false;
}

void TestCrossPower::recordCoherency()
{
    QFETCH(OneFreqCrossPower, record);
    QFETCH(double, coherency);
    QFETCH(bool, passes);

    Spectrix spectrix;
    const double coh = spectrix.Calc_Coherency2(record);
    QVERIFY2(near(coh, coherency, 1e-15), qPrintable(mismatch("coherency", coh, coherency)));
    QCOMPARE(spectrix.Calc_Coherency(record), passes);
}

void TestCrossPower::lineCoherency_data()
{
    QTest::addColumn<OneFreqSpectrum>("e");
    QTest::addColumn<OneFreqSpectrum>("h");
    QTest::addColumn<double>("coherency");
    QTest::addColumn<bool>("passes");

    QTest::newRow("one pair is coherent") << OneFreqSpectrum{4, 3.5, 2.9} << OneFreqSpectrum{4, 0.01, -1.2} << 1.0 << true;
    QTest::newRow("silent E") << OneFreqSpectrum{4, 0, 1} << OneFreqSpectrum{4, 2, 1} << 0.0 << false;
    QTest::newRow("silent H") << OneFreqSpectrum{4, 2, 1} << OneFreqSpectrum{4, 0, 1} << 0.0 << false;
    QTest::newRow("NaN amplitude") << OneFreqSpectrum{4, kNaN, 1} << OneFreqSpectrum{4, 2, 1} << 0.0 << false;
    QTest::newRow("infinite amplitude") << OneFreqSpectrum{4, 2, 0} << OneFreqSpectrum{4, kInf, 0} << 0.0 << false;
}

void TestCrossPower::lineCoherency()
{
    QFETCH(OneFreqSpectrum, e);
    QFETCH(OneFreqSpectrum, h);
    QFETCH(double, coherency);
    QFETCH(bool, passes);

    Spectrix spectrix;
    const double coh = spectrix.Calc_Coherency2(e, h);
    QVERIFY2(near(coh, coherency, 1e-12), qPrintable(mismatch("coherency", coh, coherency)));
    QCOMPARE(spectrix.Calc_Coherency(e, h), passes);
}

int SpectrixTest::runCrossPowerTests(int argc, char **argv)
{
    TestCrossPower test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestCrossPower.moc"
