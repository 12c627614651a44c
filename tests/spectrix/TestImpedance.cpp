// Scalar impedance of one cross-power record: Cagniard resistivity, folded and mapped phase,
// Bostick transform and the fallback for a non-finite coherency, against hand-computed values.

#include "SpectrixTestSupport.h"
#include "Spectrix.h"

#include <QtTest>

#include <cmath>

using namespace SpectrixTest;

namespace {

gsl_complex polarDegrees(double magnitude, double degrees)
{
    return cx(magnitude * std::cos(degrees * M_PI / 180), magnitude * std::sin(degrees * M_PI / 180));
}

// Rows built on S0 = 4, S3 = 1 at 1 Hz (rho 0.8), with |S1| = 2 (coherency 1) at a chosen angle.
QVector<gsl_complex> unitCoherent(double degrees)
{
    const gsl_complex s1 = polarDegrees(2, degrees);
    return {cx(4), s1, cx(GSL_REAL(s1), -GSL_IMAG(s1)), cx(1)};
}

} // namespace

class TestImpedance : public QObject {
    Q_OBJECT
private slots:
    void impedance_data();
    void impedance();
    void nonFiniteCoherencyFallsBack_data();
    void nonFiniteCoherencyFallsBack();
    void tagIsStoredWidened();
};

void TestImpedance::impedance_data()
{
    QTest::addColumn<QVector<gsl_complex>>("s");
    QTest::addColumn<double>("freq");
    QTest::addColumn<double>("rho");
    QTest::addColumn<double>("coherency");
    QTest::addColumn<double>("phase");
    QTest::addColumn<double>("bostickRho");
    QTest::addColumn<double>("bostickDepth");

    const double depth08 = 356 * std::sqrt(0.8);
    QTest::newRow("real [4,2,2,1] at 1 Hz: raw 0 becomes 23.025")
        << QVector<gsl_complex>{cx(4), cx(2), cx(2), cx(1)} << 1.0 << 0.8 << 1.0 << 23.025 << (90 / 23.025 - 1) * 0.8 << depth08;
    QTest::newRow("E leads H by 90: 78.75") << unitCoherent(90) << 1.0 << 0.8 << 1.0 << 78.75 << 0.8 / 7 << depth08;
    QTest::newRow("raw 180 folds to 0: 23.025") << unitCoherent(180) << 1.0 << 0.8 << 1.0 << 23.025 << (90 / 23.025 - 1) * 0.8 << depth08;
    QTest::newRow("raw 45 stays 45") << unitCoherent(45) << 1.0 << 0.8 << 1.0 << 45.0 << 0.8 << depth08;
    QTest::newRow("raw 30 halves its distance: 37.5") << unitCoherent(30) << 1.0 << 0.8 << 1.0 << 37.5 << 1.4 * 0.8 << depth08;
    QTest::newRow("raw 60 shrinks by a quarter: 56.25") << unitCoherent(60) << 1.0 << 0.8 << 1.0 << 56.25 << 0.6 * 0.8 << depth08;
    QTest::newRow("raw -60 counts as 60") << unitCoherent(-60) << 1.0 << 0.8 << 1.0 << 56.25 << 0.6 * 0.8 << depth08;
    QTest::newRow("raw 120 folds to 60") << unitCoherent(120) << 1.0 << 0.8 << 1.0 << 56.25 << 0.6 * 0.8 << depth08;
    QTest::newRow("10 Hz, partial coherency")
        << QVector<gsl_complex>{cx(250), cx(30), cx(30), cx(5)} << 10.0 << 1.0 << std::sqrt(900.0 / 1250)
        << 23.025 << 90 / 23.025 - 1 << 356 * std::sqrt(0.1);
    QTest::newRow("zero rho leaves Bostick at 0")
        << QVector<gsl_complex>{cx(0, 1), cx(0.5), cx(0.5), cx(1)} << 2.0 << 0.0 << 0.5 << 23.025 << 0.0 << 0.0;
}

void TestImpedance::impedance()
{
    QFETCH(QVector<gsl_complex>, s);
    QFETCH(double, freq);
    QFETCH(double, rho);
    QFETCH(double, coherency);
    QFETCH(double, phase);
    QFETCH(double, bostickRho);
    QFETCH(double, bostickDepth);

    const OneFreqImpedance z = Spectrix().ComputeOneFreqImpeDance(crossPowerRecord(freq, s), 0);
    QCOMPARE(z.freq, freq);
    QCOMPARE(z.tag, 0.0);
    // Phases carry the eight-digit pi: up to about 1e-5 degrees from the exact value.
    QVERIFY2(near(z.rho, rho, 1e-12 * rho), qPrintable(mismatch("rho", z.rho, rho)));
    QVERIFY2(near(z.coherency, coherency, 1e-12), qPrintable(mismatch("coherency", z.coherency, coherency)));
    QVERIFY2(near(z.phase, phase, 1e-5), qPrintable(mismatch("phase", z.phase, phase)));
    QVERIFY2(near(z.bostickRho, bostickRho, 1e-6 * (1 + bostickRho)), qPrintable(mismatch("bostickRho", z.bostickRho, bostickRho)));
    QVERIFY2(near(z.bostickDepth, bostickDepth, 1e-9 * bostickDepth), qPrintable(mismatch("bostickDepth", z.bostickDepth, bostickDepth)));
}

void TestImpedance::nonFiniteCoherencyFallsBack_data()
{
    QTest::addColumn<QVector<gsl_complex>>("s");
    QTest::addColumn<double>("freq");
    QTest::addColumn<QString>("frequencyLine");

    QTest::newRow("all NaN at 4 Hz") << QVector<gsl_complex>(4, cx(kNaN, kNaN)) << 4.0 << "4 nan or inf";
    QTest::newRow("no H power, six digits") << QVector<gsl_complex>{cx(4), cx(0), cx(0), cx(0)} << 0.123456789
                                            << "0.123457 nan or inf";
    QTest::newRow("no E power at 1000 Hz") << QVector<gsl_complex>{cx(0), cx(0), cx(0), cx(1)} << 1000.0 << "1000 nan or inf";
    QTest::newRow("infinite entries") << QVector<gsl_complex>(4, cx(kInf, kInf)) << 2.0 << "2 nan or inf";
    QTest::newRow("mismatch record") << QVector<gsl_complex>{} << 2.5e-4 << "0.00025 nan or inf";
}

void TestImpedance::nonFiniteCoherencyFallsBack()
{
    QFETCH(QVector<gsl_complex>, s);
    QFETCH(double, freq);
    QFETCH(QString, frequencyLine);

    QTest::ignoreMessage(QtDebugMsg, qPrintable(frequencyLine));
    QTest::ignoreMessage(QtDebugMsg, "45 1 nan or inf ");
    const OneFreqImpedance z = Spectrix().ComputeOneFreqImpeDance(crossPowerRecord(freq, s), 0);
    QCOMPARE(z.coherency, 0.01);
    QCOMPARE(z.phase, 45.0);
    QCOMPARE(z.rho, 1.0);
    QVERIFY2(near(z.bostickRho, 1.0, 1e-15), qPrintable(mismatch("bostickRho", z.bostickRho, 1)));
    const double depth = 356 / std::sqrt(freq);
    QVERIFY2(near(z.bostickDepth, depth, 1e-12 * depth), qPrintable(mismatch("bostickDepth", z.bostickDepth, depth)));
}

void TestImpedance::tagIsStoredWidened()
{
    const OneFreqCrossPower record = crossPowerRecord(1, {cx(4), cx(2), cx(2), cx(1)});
    QCOMPARE(Spectrix().ComputeOneFreqImpeDance(record, 0.1f).tag, 0.100000001490116119384765625);
    QCOMPARE(Spectrix().ComputeOneFreqImpeDance(record, -3.5f).tag, -3.5);
}

int SpectrixTest::runImpedanceTests(int argc, char **argv)
{
    TestImpedance test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestImpedance.moc"
