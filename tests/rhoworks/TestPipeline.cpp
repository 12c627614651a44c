// The computation methods end to end on small recordings written into a temporary folder: the
// output band of each sampling rate, the calibration chain on an E = c H pair whose impedance is
// known, and bad input (which must give false and keep the previous curve, never a crash or NaN).

#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "Rhoworks.h"
#include "RhoworksTestSupport.h"

using namespace RhoworksTest;

namespace {

QVector<double> scaled(const QVector<double> &samples, double factor)
{
    QVector<double> out = samples;
    for (double &x : out)
        x *= factor;
    return out;
}

const QList<Method> kAllMethods{Method::Plain, Method::MEstimation, Method::Robust, Method::Median};

}  // namespace

class TestPipeline : public QObject {
    Q_OBJECT
private slots:
    void init();
    void outputBandPerSamplingRate_data();
    void outputBandPerSamplingRate();
    void knownImpedanceThroughCalibration_data();
    void knownImpedanceThroughCalibration();
    void badInputKeepsThePreviousCurve_data();
    void badInputKeepsThePreviousCurve();
    void clippedRecording_data();
    void clippedRecording();
    void zeroElectricFieldGivesZeroResistivity_data();
    void zeroElectricFieldGivesZeroResistivity();
    void unknownModeGivesAnEmptyCurve();
    void powerLineStepUpTo4096Hz_data();
    void powerLineStepUpTo4096Hz();

private:
    QTemporaryDir dir;
};

void TestPipeline::init()
{
    QVERIFY(dir.isValid());
}

void TestPipeline::outputBandPerSamplingRate_data()
{
    QTest::addColumn<Method>("method");
    QTest::addColumn<double>("fs");
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("last");
    QTest::newRow("500 Hz: fs/n .. fs/2") << Method::Plain << 500.0 << 256 << 2.0 << 248.0;
    QTest::newRow("501 Hz: 10 Hz .. fs/2") << Method::Plain << 501.0 << 256 << 10.0 << 248.0;
    QTest::newRow("1024 Hz: 10 Hz .. 512 Hz") << Method::Median << 1024.0 << 1024 << 10.0 << 501.0;
    QTest::newRow("1024 Hz robust: from 1 Hz") << Method::Robust << 1024.0 << 1024 << 1.0 << 501.0;
    QTest::newRow("1024 Hz M-estimation: from 10 Hz") << Method::MEstimation << 1024.0 << 1024 << 10.0 << 501.0;
    QTest::newRow("4095 Hz: 10 Hz .. 1 kHz") << Method::Plain << 4095.0 << 1024 << 10.0 << 1000.0;
    QTest::newRow("4096 Hz: fs/n .. fs/2") << Method::Robust << 4096.0 << 1024 << 5.01 << 2000.0;
    QTest::newRow("50000 Hz: fs/n .. fs/2") << Method::Plain << 50000.0 << 1024 << 50.1 << 20000.0;
    QTest::newRow("60000 Hz: 32 fs/n .. 10 kHz") << Method::Plain << 60000.0 << 1024 << 2000.0 << 10000.0;
    QTest::newRow("100000 Hz, n 4096: 781 Hz .. 10 kHz") << Method::MEstimation << 100000.0 << 4096 << 794.0 << 10000.0;
    QTest::newRow("100000 Hz, n 8192: 500 Hz .. 10 kHz") << Method::Plain << 100000.0 << 8192 << 501.0 << 10000.0;
    QTest::newRow("200000 Hz: 4 kHz .. fs/2") << Method::Plain << 200000.0 << 1024 << 5010.0 << 100000.0;
    QTest::newRow("399999 Hz: 4 kHz .. fs/2") << Method::Robust << 399999.0 << 1024 << 5010.0 << 158000.0;
    QTest::newRow("400000 Hz: 10 kHz .. fs/2") << Method::Plain << 400000.0 << 1024 << 10000.0 << 200000.0;
}

// E = H: every line is coherent, so each target of the band carries a record.
void TestPipeline::outputBandPerSamplingRate()
{
    QFETCH(Method, method);
    QFETCH(double, fs);
    QFETCH(int, n);
    QFETCH(double, first);
    QFETCH(double, last);
    const QVector<double> samples = noise(2 * n, 100, 7);
    const PairFiles files = writePair(dir.path(), QString("band%1_%2").arg(fs).arg(n), samples, samples, fs);
    Rhoworks rhoworks;
    RunOptions options;
    options.fs = fs;
    options.n = n;
    QVERIFY(runMethod(rhoworks, method, files, options));
    const QVector<OneFreqImpedance> curve = rhoworks.getCanigrdResistivity();
    QVERIFY(!curve.isEmpty());
    QCOMPARE(curve.first().freq, first);
    QCOMPARE(curve.last().freq, last);
    QCOMPARE(curve.size(), rhoworks.GenerateFreqList(first, last, 0).size());
}

void TestPipeline::knownImpedanceThroughCalibration_data()
{
    QTest::addColumn<Method>("method");
    QTest::addColumn<bool>("useESensor");
    QTest::addColumn<bool>("withPhases");
    for (Method method : kAllMethods) {
        for (bool useESensor : {true, false}) {
            QTest::addRow("%s, E sensor %s", qPrintable(methodName(method)), useESensor ? "on" : "off")
                << method << useESensor << false;
            // A median of real parts does not commute with a rotation, so the median method
            // reproduces the impedance only when the tables carry no phase.
            if (method != Method::Median)
                QTest::addRow("%s, E sensor %s, phases", qPrintable(methodName(method)), useESensor ? "on" : "off")
                    << method << useESensor << true;
        }
    }
}

// E file = 2 x H file. Tables: E sensor 0.5 / 5 deg, E gain 2 / 10 deg, H sensor 4 / 0 deg, H gain
// 0.5 / 30 deg. Calibrated E/H = 2 * (4 * 0.5) / (2 * 0.5) = 4 with the E sensor, 2 without it,
// at a phase of 30 - 10 - 5 = 15 deg or 30 - 10 = 20 deg; rho = |Z|^2 / (5 f).
void TestPipeline::knownImpedanceThroughCalibration()
{
    QFETCH(Method, method);
    QFETCH(bool, useESensor);
    QFETCH(bool, withPhases);
    const double fs = 1024;
    const QVector<double> h = noise(4 * 1024, 200, 11);
    const PairFiles files = writePair(dir.path(), "known", scaled(h, 2), h, fs);
    const double p = withPhases ? 1 : 0;
    writeTable(files.eSensor, {{1, 0.5, 5 * p}, {1000, 0.5, 5 * p}});
    writeTable(files.eGain, {{1, 2, 10 * p}, {1000, 2, 10 * p}});
    writeTable(files.hSensor, {{1, 4, 0}, {1000, 4, 0}});
    writeTable(files.hGain, {{1, 0.5, 30 * p}, {1000, 0.5, 30 * p}});
    const double ratio = useESensor ? 4 : 2;
    const double rawPhase = p * (useESensor ? 15 : 20);
    const bool mapped = method == Method::Plain || method == Method::Median;
    // the phase mapping of the impedance record: below 0.01 -> 1.05, then halved towards 45
    const double expectedPhase = mapped ? 45 + 0.5 * ((rawPhase < 0.01 ? 1.05 : rawPhase) - 45) : rawPhase;

    Rhoworks rhoworks;
    RunOptions options;
    options.useESensor = useESensor;
    QVERIFY(runMethod(rhoworks, method, files, options));
    const QVector<OneFreqImpedance> curve = rhoworks.getCanigrdResistivity();
    QCOMPARE(curve.size(), rhoworks.GenerateFreqList(method == Method::Robust ? 1 : 10, 512, 0).size());
    for (const OneFreqImpedance &r : curve) {
        if (isDeadFrequency(r.freq))
            continue;  // replaced from their neighbours
        const double rho = ratio * ratio / (5 * r.freq);
        QVERIFY2(near(r.rho, rho, 1e-6), qPrintable(mismatch(QString("rho at %1").arg(r.freq), r.rho, rho)));
        // the repeated median rounds to single precision: 1e-5 degrees
        QVERIFY2(std::fabs(r.phase - expectedPhase) < 1e-5,
                 qPrintable(mismatch(QString("phase at %1").arg(r.freq), r.phase, expectedPhase)));
        QVERIFY(near(r.bostickDepth, 356 * std::sqrt(r.rho / r.freq), 1e-12));
    }
}

void TestPipeline::badInputKeepsThePreviousCurve_data()
{
    QTest::addColumn<Method>("method");
    QTest::addColumn<QString>("fault");
    const QStringList faults{"missing E file", "missing H file with trend removal",
                             "10 E segments, 9 H segments", "file shorter than a segment",
                             "missing gain table", "unreadable sensor table", "dipole length 0",
                             "sampling rate 0", "NaN sample", "zero E channel", "zero H channel"};
    for (Method method : kAllMethods) {
        for (const QString &fault : faults) {
            // A silent E channel gives the impedance estimators a defined zero curve (tested apart).
            const bool definedCurve = fault == "zero E channel"
                                   && (method == Method::Robust || method == Method::MEstimation);
            if (!definedCurve)
                QTest::addRow("%s: %s", qPrintable(methodName(method)), qPrintable(fault)) << method << fault;
        }
    }
}

void TestPipeline::badInputKeepsThePreviousCurve()
{
    QFETCH(Method, method);
    QFETCH(QString, fault);
    const int n = 256;
    const QVector<double> samples = noise(10 * n, 100, 3);
    const PairFiles good = writePair(dir.path(), "good", scaled(samples, 3), samples, 1024);
    Rhoworks rhoworks;
    RunOptions options;
    options.n = n;
    QVERIFY(runMethod(rhoworks, method, good, options));
    const QVector<OneFreqImpedance> before = rhoworks.getCanigrdResistivity();
    QVERIFY(!before.isEmpty());

    PairFiles bad = writePair(dir.path(), "bad", scaled(samples, 3), samples, 1024);
    if (fault == "missing E file")
        bad.e = dir.path() + "/absent_E0.txt";
    if (fault == "missing H file with trend removal") {
        bad.h = dir.path() + "/absent_Hy.txt";
        options.removeTrend = true;
    }
    if (fault == "10 E segments, 9 H segments")
        writeChannel(bad.h, samples.mid(0, 9 * n + 100), 1024);
    if (fault == "file shorter than a segment") {
        writeChannel(bad.e, samples.mid(0, n - 1), 1024);
        writeChannel(bad.h, samples.mid(0, n - 1), 1024);
    }
    if (fault == "missing gain table")
        bad.hGain = dir.path() + "/absent-gain.txt";
    if (fault == "unreadable sensor table")
        writeTable(bad.eSensor, {{1, 1, 0}});
    if (fault == "dipole length 0")
        options.dipoleLength = 0;
    if (fault == "sampling rate 0")
        options.fs = 0;
    if (fault == "NaN sample") {
        QVector<double> withNaN = samples;
        withNaN[2 * n + 5] = kNaN;
        writeChannel(bad.e, withNaN, 1024);
    }
    if (fault == "zero E channel")
        writeChannel(bad.e, QVector<double>(samples.size(), 0.0), 1024);
    if (fault == "zero H channel")
        writeChannel(bad.h, QVector<double>(samples.size(), 0.0), 1024);

    QVERIFY(!runMethod(rhoworks, method, bad, options));
    const QVector<OneFreqImpedance> after = rhoworks.getCanigrdResistivity();
    QCOMPARE(after.size(), before.size());
    for (int i = 0; i < after.size(); ++i) {
        QCOMPARE(after[i].freq, before[i].freq);
        QCOMPARE(after[i].rho, before[i].rho);
    }
}

void TestPipeline::clippedRecording_data()
{
    QTest::addColumn<Method>("method");
    QTest::addColumn<double>("fs");
    QTest::addColumn<double>("peak");
    QTest::addColumn<bool>("succeeds");
    // The plain and median methods skip clipped pairs; the impedance estimators keep them.
    QTest::newRow("plain, 2500 mV at 1024 Hz") << Method::Plain << 1024.0 << 2500.0 << false;
    QTest::newRow("median, 2500 mV at 1024 Hz") << Method::Median << 1024.0 << 2500.0 << false;
    QTest::newRow("robust, 2500 mV at 1024 Hz") << Method::Robust << 1024.0 << 2500.0 << true;
    QTest::newRow("M-estimation, 2500 mV at 1024 Hz") << Method::MEstimation << 1024.0 << 2500.0 << true;
    QTest::newRow("plain, 2999 mV at 4096 Hz") << Method::Plain << 4096.0 << 2999.0 << true;
    QTest::newRow("plain, 3000 mV at 4096 Hz") << Method::Plain << 4096.0 << 3000.0 << false;
}

// Every segment of the H channel reaches the given peak once.
void TestPipeline::clippedRecording()
{
    QFETCH(Method, method);
    QFETCH(double, fs);
    QFETCH(double, peak);
    QFETCH(bool, succeeds);
    const int n = 256;
    QVector<double> h = noise(4 * n, 100, 5);
    for (int k = 0; k < 4; ++k)
        h[k * n + 17] = (k % 2 ? -peak : peak);
    const PairFiles files = writePair(dir.path(), "clipped", scaled(h, 0.5), h, fs);
    Rhoworks rhoworks;
    RunOptions options;
    options.fs = fs;
    options.n = n;
    QCOMPARE(runMethod(rhoworks, method, files, options), succeeds);
}

// A silent electric channel has impedance 0 on every line: the impedance estimators give a curve
// of zero resistivity (the plain and median methods find no coherent line and refuse).
void TestPipeline::zeroElectricFieldGivesZeroResistivity_data()
{
    QTest::addColumn<Method>("method");
    QTest::newRow("robust") << Method::Robust;
    QTest::newRow("M-estimation") << Method::MEstimation;
}

void TestPipeline::zeroElectricFieldGivesZeroResistivity()
{
    QFETCH(Method, method);
    const QVector<double> h = noise(4 * 256, 100, 9);
    const PairFiles files = writePair(dir.path(), "silent", QVector<double>(h.size(), 0.0), h, 1024);
    Rhoworks rhoworks;
    RunOptions options;
    options.n = 256;
    QVERIFY(runMethod(rhoworks, method, files, options));
    const QVector<OneFreqImpedance> curve = rhoworks.getCanigrdResistivity();
    QVERIFY(!curve.isEmpty());
    for (const OneFreqImpedance &r : curve)
        QCOMPARE(r.rho, 0.0);
}

void TestPipeline::unknownModeGivesAnEmptyCurve()
{
    const QVector<double> h = noise(4 * 256, 100, 13);
    const PairFiles files = writePair(dir.path(), "mode9", h, h, 1024);
    for (Method method : kAllMethods) {
        Rhoworks rhoworks;
        RunOptions options;
        options.n = 256;
        options.mode = 9;
        QVERIFY2(runMethod(rhoworks, method, files, options), qPrintable(methodName(method)));
        QVERIFY(rhoworks.getCanigrdResistivity().isEmpty());
    }
}

void TestPipeline::powerLineStepUpTo4096Hz_data()
{
    QTest::addColumn<Method>("method");
    QTest::addColumn<double>("fs");
    QTest::addColumn<bool>("repaired");
    QTest::newRow("robust, 4096 Hz") << Method::Robust << 4096.0 << true;
    QTest::newRow("M-estimation, 4096 Hz") << Method::MEstimation << 4096.0 << true;
    QTest::newRow("robust, 4097 Hz") << Method::Robust << 4097.0 << false;
    QTest::newRow("plain, 4096 Hz") << Method::Plain << 4096.0 << false;
}

// Independent E and H noise gives a ragged curve. Where the power-line step ran, the records at
// the power-line frequencies already lie on the spline through the others, so repairing again
// changes nothing; elsewhere it moves them. Mode 1 puts power-line frequencies (46.4, 56.2, ...)
// on records that the dead-frequency treatment leaves alone.
void TestPipeline::powerLineStepUpTo4096Hz()
{
    QFETCH(Method, method);
    QFETCH(double, fs);
    QFETCH(bool, repaired);
    const int n = 4096;
    const PairFiles files =
        writePair(dir.path(), "powerline", noise(6 * n, 100, 21), noise(6 * n, 100, 22), fs);
    Rhoworks rhoworks;
    RunOptions options;
    options.fs = fs;
    options.n = n;
    options.mode = 1;
    QVERIFY(runMethod(rhoworks, method, files, options));
    const QVector<OneFreqImpedance> curve = rhoworks.getCanigrdResistivity();
    const QVector<OneFreqImpedance> again = rhoworks.DealWithPowerLineFreq(curve);
    double largestChange = 0;
    for (int i = 0; i < curve.size(); ++i)
        largestChange = std::max(largestChange, std::fabs(again[i].rho / curve[i].rho - 1));
    if (repaired)
        QVERIFY2(largestChange < 1e-9, qPrintable(QString::number(largestChange)));
    else
        QVERIFY2(largestChange > 1e-3, qPrintable(QString::number(largestChange)));
}

namespace RhoworksTest {
int runPipelineTests(int argc, char **argv)
{
    TestPipeline test;
    return QTest::qExec(&test, argc, argv);
}
}  // namespace RhoworksTest

#include "TestPipeline.moc"
