// The streamed resistivity pipeline (segments read, transformed with shared plans and reduced as
// they arrive) against the same pipeline computed the long way from the record lists, on synthetic
// recordings: every estimator, with and without trend removal, clipped segments, a segment limit,
// both converter ranges; its failures; and the independence of its results from the thread count.

#include <QDataStream>
#include <QTemporaryDir>
#include <QtTest>
#include <gsl/gsl_errno.h>

#include "DistanceWeightedMeans.h"
#include "ParallelFor.h"
#include "SegmentListPipeline.h"

using namespace RhoworksTest;

namespace {

struct Scenario {
    double fs = 1024;
    int n = 256;
    int segments = 40;
    int segmentCount = 0;  // forwarded to the reader; <= 0 reads all
    bool removeTrend = false;
    bool clipSome = false;  // a few segments reach the converter's full scale
    bool textFiles = false;
    bool useESensor = true;
    double eGain = 8;  // amplitude scale of the E gain table
};

double millivoltsPerCount(double fs)
{
    return fs < 4096 ? 2500 / 2147483648.0 : 3000 / 8388608.0;
}

// H: noise; E: a two-tap filter of H (a frequency-dependent impedance) plus a little noise and a
// drift, in mV; clipSome puts a full-scale sample into every seventh segment of E.
void synthesise(const Scenario &s, QVector<double> &e, QVector<double> &h)
{
    const int count = s.segments * s.n + s.n / 3;  // a trailing partial segment
    h = noise(count, 40, 11);
    const QVector<double> eNoise = noise(count, 4, 12);
    e.resize(count);
    for (int i = 0; i < count; ++i)
        e[i] = 30 * h[i] - 12 * h[std::max(0, i - 1)] + eNoise[i] + 0.002 * i;
    if (s.clipSome) {
        const double fullScale = s.fs < 4096 ? -2500 : 3000;
        for (int k = 3; k < s.segments; k += 7)
            e[k * s.n + 5] = fullScale;
    }
}

void writeCounts(const QString &path, const QVector<double> &millivolts, double fs, bool text)
{
    const double perCount = millivoltsPerCount(fs);
    if (text) {
        writeRows(path, millivolts, 1, perCount);
        return;
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    for (double mv : millivolts)
        out << qint32(std::llround(std::max(-2147483648.0, std::min(2147483647.0, mv / perCount))));
}

// Tables with amplitudes and phases (degrees) that vary over the band, so calibration matters.
void writeTable(const QString &path, double gain, double phaseSlope)
{
    writeRows(path, {0.01, gain, -5, 10, 1.3 * gain, 10 * phaseSlope, 300, 0.7 * gain, 25 * phaseSlope,
                     100000, 2 * gain, -40},
              3);
}

SegmentListPipeline::Input writeScenario(const QString &dir, const Scenario &s)
{
    QVector<double> e, h;
    synthesise(s, e, h);
    const QString ext = s.textFiles ? ".txt" : ".dat";
    SegmentListPipeline::Input in;
    in.files = {dir + "/pair_E0" + ext, dir + "/pair_Hy" + ext, dir + "/ex-sensor.txt",
                dir + "/hy-sensor.txt", dir + "/ex-gain.txt", dir + "/hy-gain.txt"};
    writeCounts(in.files.e, e, s.fs, s.textFiles);
    writeCounts(in.files.h, h, s.fs, s.textFiles);
    writeTable(in.files.eSensor, 1.1, 1);
    writeTable(in.files.hSensor, 0.4, -2);
    writeTable(in.files.eGain, s.eGain, 0.5);
    writeTable(in.files.hGain, 3, 1.5);
    in.options.fs = s.fs;
    in.options.n = s.n;
    in.options.dipoleLength = 87.5;
    in.options.useESensor = s.useESensor;
    in.segmentCount = s.segmentCount;
    in.removeTrend = s.removeTrend;
    return in;
}

bool runStreamed(Rhoworks &rhoworks, Method method, const SegmentListPipeline::Input &in)
{
    using Computation = bool (Rhoworks::*)(QString, QString, double, double, double, QString, QString,
                                           QString, QString, bool, int, int, bool, bool, int);
    static const Computation computations[] = {
        &Rhoworks::Calc_CagniardResistivity, &Rhoworks::Calc_CagniardResistivityMEstimation,
        &Rhoworks::Calc_CagniardResistivityRobust, &Rhoworks::Calc_CagniardResistivityMedian};
    const PairFiles &f = in.files;
    const RunOptions &o = in.options;
    return (rhoworks.*computations[int(method)])(f.e, f.h, o.fs, 0, o.dipoleLength, f.eSensor, f.hSensor, f.eGain,
                                                 f.hGain, o.useESensor, o.n, in.segmentCount, in.removeTrend,
                                                 false, o.mode);
}

// The repeated median rounds its values to single precision; a value on the edge between two floats
// may round either way, so that estimator agrees to one float step (twice that in rho = |Z|^2).
double tolerance(Method method)
{
    return method == Method::Robust ? 2.5e-7 : 1e-12;
}

}  // namespace

Q_DECLARE_METATYPE(Scenario)

class TestPairStreaming : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { gsl_set_error_handler_off(); }
    void matchesSegmentLists_data();
    void matchesSegmentLists();
    void weightedMeanReadsTheRestAgain_data();
    void weightedMeanReadsTheRestAgain();
    void failuresKeepPreviousCurve_data();
    void failuresKeepPreviousCurve();
    void sameResultOnAnyThreadCount_data();
    void sameResultOnAnyThreadCount();
    void progressAndStopOnRequest_data();
    void progressAndStopOnRequest();
};

void TestPairStreaming::matchesSegmentLists_data()
{
    QTest::addColumn<Method>("method");
    QTest::addColumn<Scenario>("scenario");
    Scenario highRate;
    highRate.fs = 24000;
    highRate.n = 512;
    Scenario detrended;
    detrended.removeTrend = true;
    detrended.clipSome = true;
    Scenario limited;
    limited.segmentCount = 9;
    limited.textFiles = true;
    limited.useESensor = false;
    Scenario clippedHighRate = highRate;
    clippedHighRate.clipSome = true;
    Scenario extremeField;  // E spectra near 1e80: the median's field is settled value by value
    extremeField.eGain = 8e-80;
    const QList<QPair<const char *, Scenario>> scenarios{{"1024 Hz", Scenario()},
                                                         {"24 kHz", highRate},
                                                         {"detrended, clipped", detrended},
                                                         {"text, 9 segments, no E sensor", limited},
                                                         {"24 kHz clipped", clippedHighRate},
                                                         {"extreme E field", extremeField}};
    for (Method method : kMethods) {
        for (const auto &scenario : scenarios) {
            // The repeated median rounds to single precision, which cannot hold values near 1e80.
            if (method == Method::Robust && scenario.second.eGain != Scenario().eGain)
                continue;
            QTest::addRow("%s, %s", methodName(method), scenario.first) << method << scenario.second;
        }
    }
}

// Every record agrees with the long way to rounding; dead frequencies are filled in from the
// others afterwards, so the live records decide the curve.
void TestPairStreaming::matchesSegmentLists()
{
    QFETCH(Method, method);
    QFETCH(Scenario, scenario);
    QTemporaryDir dir;
    const SegmentListPipeline::Input in = writeScenario(dir.path(), scenario);
    QVector<OneFreqImpedance> expected;
    QVERIFY(SegmentListPipeline::curve(method, in, expected));
    Rhoworks rhoworks;
    QVERIFY(runStreamed(rhoworks, method, in));
    const QVector<OneFreqImpedance> curve = rhoworks.getCanigrdResistivity();
    QCOMPARE(curve.size(), expected.size());
    QVERIFY(!curve.isEmpty());
    const double tol = tolerance(method);
    for (int i = 0; i < curve.size(); ++i) {
        QCOMPARE(curve[i].freq, expected[i].freq);
        if (isDeadFrequency(curve[i].freq))
            continue;
        const QString at = QString::number(curve[i].freq);
        QVERIFY(near(curve[i].rho, expected[i].rho, tol, "rho at " + at));
        QVERIFY(near(curve[i].phase, expected[i].phase, tol, "phase at " + at));
        QVERIFY(near(curve[i].coherency, expected[i].coherency, tol, "coherency at " + at));
    }
}

void TestPairStreaming::weightedMeanReadsTheRestAgain_data()
{
    QTest::addColumn<Scenario>("scenario");
    QTest::addColumn<int>("keptSegments");
    Scenario text;
    text.textFiles = true;
    Scenario limited;
    limited.segmentCount = 23;
    QTest::addRow("binary, 7 kept") << Scenario() << 7;
    QTest::addRow("text, 7 kept") << text << 7;
    QTest::addRow("23 of 40 segments, 22 kept") << limited << 22;
    QTest::addRow("binary, 1 kept") << Scenario() << 1;
    // The kept impedances are held in chunks of 64 segments: a second chunk partly and wholly filled.
    Scenario longer;
    longer.segments = 150;
    QTest::addRow("150 segments, 70 kept") << longer << 70;
    QTest::addRow("150 segments, all kept") << longer << 1000;
}

// The distance-weighted estimate keeps the first segments' impedances and reads the files again
// from the first segment it did not keep: the estimate is the one of every segment.
void TestPairStreaming::weightedMeanReadsTheRestAgain()
{
    QFETCH(Scenario, scenario);
    QFETCH(int, keptSegments);
    QTemporaryDir dir;
    const SegmentListPipeline::Input in = writeScenario(dir.path(), scenario);
    QVector<OneFreqImpedance> expected;
    QVERIFY(SegmentListPipeline::curve(Method::MEstimation, in, expected));
    const qint64 budget = DistanceWeightedMeans::keptBytes();
    DistanceWeightedMeans::setKeptBytes(qint64(keptSegments) * (scenario.n / 2) * qint64(sizeof(gsl_complex)));
    Rhoworks rhoworks;
    const bool done = runStreamed(rhoworks, Method::MEstimation, in);
    DistanceWeightedMeans::setKeptBytes(budget);
    QVERIFY(done);
    const QVector<OneFreqImpedance> curve = rhoworks.getCanigrdResistivity();
    QCOMPARE(curve.size(), expected.size());
    for (int i = 0; i < curve.size(); ++i) {
        if (isDeadFrequency(curve[i].freq))
            continue;
        QVERIFY(near(curve[i].rho, expected[i].rho, 1e-12, "rho at " + QString::number(curve[i].freq)));
        QVERIFY(near(curve[i].phase, expected[i].phase, 1e-12, "phase at " + QString::number(curve[i].freq)));
    }
}

void TestPairStreaming::failuresKeepPreviousCurve_data()
{
    QTest::addColumn<Method>("method");
    QTest::addColumn<QString>("fault");
    for (Method method : {Method::Plain, Method::Robust}) {
        for (const char *fault : {"E file missing", "H one segment short", "bad sample in trailing part",
                                  "shorter than a segment"})
            QTest::addRow("%s, %s", methodName(method), fault) << method << QString(fault);
    }
}

// A pair the long way refuses is refused by the streamed pipeline too, and the curve of the
// previous computation stays, although segments were already reduced when the fault shows.
void TestPairStreaming::failuresKeepPreviousCurve()
{
    QFETCH(Method, method);
    QFETCH(QString, fault);
    QTemporaryDir dir;
    Scenario s;
    s.textFiles = true;
    SegmentListPipeline::Input in = writeScenario(dir.path(), s);
    Rhoworks rhoworks;
    QVERIFY(runStreamed(rhoworks, method, in));
    const QVector<OneFreqImpedance> before = rhoworks.getCanigrdResistivity();

    QVector<double> e, h;
    synthesise(s, e, h);
    if (fault == "E file missing") {
        in.files.e = dir.path() + "/absent_E0.txt";
    } else if (fault == "H one segment short") {
        writeCounts(in.files.h, h.mid(0, (s.segments - 1) * s.n), s.fs, true);
    } else if (fault == "bad sample in trailing part") {
        QFile file(in.files.e);
        QVERIFY(file.open(QIODevice::Append | QIODevice::Text));
        file.write("12\nnot-a-number\n");
    } else {
        writeCounts(in.files.e, e.mid(0, s.n - 1), s.fs, true);
        writeCounts(in.files.h, h.mid(0, s.n - 1), s.fs, true);
    }
    QVector<OneFreqImpedance> unused;
    QVERIFY(!SegmentListPipeline::curve(method, in, unused));
    QVERIFY(!runStreamed(rhoworks, method, in));
    const QVector<OneFreqImpedance> after = rhoworks.getCanigrdResistivity();
    QCOMPARE(after.size(), before.size());
    for (int i = 0; i < after.size(); ++i)
        QCOMPARE(after[i].rho, before[i].rho);
}

void TestPairStreaming::sameResultOnAnyThreadCount_data()
{
    QTest::addColumn<Method>("method");
    for (Method method : kMethods)
        QTest::newRow(methodName(method)) << method;
}

// Bit for bit: the segments are reduced in file order whichever thread transformed them.
void TestPairStreaming::sameResultOnAnyThreadCount()
{
    QFETCH(Method, method);
    QTemporaryDir dir;
    Scenario s;
    s.segments = 70;  // several batches
    const SegmentListPipeline::Input in = writeScenario(dir.path(), s);
    const int machineThreads = ParallelFor::threadCount();
    QList<QVector<OneFreqImpedance>> curves;
    for (int threads : {1, 2, 5}) {
        ParallelFor::setThreadCount(threads);
        Rhoworks rhoworks;
        QVERIFY(runStreamed(rhoworks, method, in));
        curves.append(rhoworks.getCanigrdResistivity());
    }
    ParallelFor::setThreadCount(machineThreads);
    for (const QVector<OneFreqImpedance> &curve : curves) {
        QCOMPARE(curve.size(), curves.first().size());
        QVERIFY(std::equal(curve.begin(), curve.end(), curves.first().begin(),
                           [](const OneFreqImpedance &a, const OneFreqImpedance &b) {
                               return a.rho == b.rho && a.phase == b.phase && a.coherency == b.coherency;
                           }));
    }
}

void TestPairStreaming::progressAndStopOnRequest_data()
{
    QTest::addColumn<int>("estimator");
    QTest::addColumn<double>("stopAt");
    for (double stopAt : {2.0, 0.3, 0.75}) {
        const QString when = stopAt > 1 ? "runs to the end" : QString("stops at %1").arg(stopAt);
        QTest::addRow("plain, %s", qPrintable(when)) << int(Rhoworks::EstimatorPlain) << stopAt;
        QTest::addRow("M-estimation, %s", qPrintable(when)) << int(Rhoworks::EstimatorMEstimation) << stopAt;
        QTest::addRow("robust, %s", qPrintable(when)) << int(Rhoworks::EstimatorRobust) << stopAt;
    }
}

// The fractions reported rise from 0 towards 1 over the whole computation (both passes of the
// M-estimation included); a stop fails the computation and keeps the previous curve.
void TestPairStreaming::progressAndStopOnRequest()
{
    QFETCH(int, estimator);
    QFETCH(double, stopAt);
    QTemporaryDir dir;
    Scenario s;
    s.segments = 50;
    const SegmentListPipeline::Input in = writeScenario(dir.path(), s);
    Rhoworks rhoworks;
    QVERIFY(runStreamed(rhoworks, Method::Plain, in));
    const QVector<OneFreqImpedance> before = rhoworks.getCanigrdResistivity();

    const PairFiles &f = in.files;
    PairRequest request{f.e, f.h, in.options.fs, 0, float(in.options.dipoleLength), f.eSensor, f.hSensor,
                        f.eGain, f.hGain, true, in.options.n, 0, false, 0, "", {}};
    QVector<double> fractions;
    request.keepGoing = [&](double fraction) {
        fractions.append(fraction);
        return fraction < stopAt;
    };
    const bool done = rhoworks.compute(estimator, request);
    QCOMPARE(done, stopAt > 1);
    QVERIFY(!fractions.isEmpty());
    QCOMPARE(fractions.first(), 0.0);
    QVERIFY(std::is_sorted(fractions.begin(), fractions.end()));
    QVERIFY(fractions.last() < 1);
    if (done) {
        QVERIFY(fractions.last() > 0.95);
        return;
    }
    QVERIFY(fractions.last() >= stopAt && fractions.last() < stopAt + 0.05);
    const QVector<OneFreqImpedance> after = rhoworks.getCanigrdResistivity();
    QCOMPARE(after.size(), before.size());
    for (int i = 0; i < after.size(); ++i)
        QCOMPARE(after[i].rho, before[i].rho);
}

QTEST_GUILESS_MAIN(TestPairStreaming)
#include "tst_PairStreaming.moc"
