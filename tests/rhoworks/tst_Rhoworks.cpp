// Rhoworks on small inputs worked out by hand or by a slow obvious reference, and its methods on small recordings.

#include <QTemporaryDir>
#include <QtTest>
#include <gsl/gsl_errno.h>

#include "RhoworksTestSupport.h"

using namespace RhoworksTest;
using Values = QVector<double>;
using Segments = QList<QVector<gsl_complex>>;
using HeldEnds = QMap<double, double>;  // record frequency -> frequency whose line value it holds

namespace {

double sortedMedian(Values v)
{
    const auto nanLast = [](double a, double b) { return a < b || (std::isnan(b) && !std::isnan(a)); };
    std::sort(v.begin(), v.end(), nanLast);
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) * 0.5;
}

// For each k the median of the other values rounded to float, then their median rounded to float.
double slowRepeatedMedian(const Values &values)
{
    Values stageOne;
    for (int k = 0; k < values.size(); ++k)
        stageOne << float(sortedMedian(values.mid(0, k) + values.mid(k + 1)));
    return float(sortedMedian(stageOne));
}

// A record at f with rho, phase and coherency on straight lines taken at x, or an outlier.
OneFreqImpedance lineRecord(double f, double x, bool outlier)
{
    return outlier ? OneFreqImpedance{0, f, 0.01, -999, 89}
                   : OneFreqImpedance{0, f, 0.5 + 0.001 * x, 3 + 2 * x, 20 + 0.1 * x};
}

const Values kMode0From20{20, 25.1, 31.6, 39.8, 50.1, 63.1, 79.4, 100, 126, 158, 200, 248, 316};
const Values kPowerLines{39.8, 50.1, 63.1, 126, 158, 200};

enum Estimator { kRobustMedian, kMEstimation, kRepeatMedian, kMeanStack, kMedianStack };

}  // namespace

class TestRhoworks : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void wholeTables_data();
    void wholeTables();
    void estimators_data();
    void estimators();
    void repeatMedianMatchesSlowReference_data();
    void repeatMedianMatchesSlowReference();
    void deadFrequencies_data();
    void deadFrequencies();
    void powerLineRepair_data();
    void powerLineRepair();
    void knownImpedance_data();
    void knownImpedance();
    void badInput_data();
    void badInput();

private:
    QTemporaryDir dir;
};

void TestRhoworks::initTestCase()
{
    gsl_set_error_handler_off();
}

void TestRhoworks::wholeTables_data()
{
    QTest::addColumn<int>("mode");  // -1: the two-argument table
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("last");
    QTest::addColumn<Values>("members");  // the power lines of a mode
    QTest::newRow("two-argument") << -1 << 50 << 1.26 << 1e5 << Values{1.58, 3.16, 7.94, 10, 1000, 1260};
    QTest::newRow("mode 0") << 0 << 94 << 0.001 << 2e6 << Values{39.8, 50.1, 63.1, 126, 158, 200};
    QTest::newRow("mode 1") << 1 << 60 << 1.21 << 1e5 << Values{38.3, 46.4, 56.2, 68.1, 121, 147, 178, 215};
    QTest::newRow("mode 2") << 2 << 75 << 1.17 << 1e5 << Values{39.8, 46.4, 54.1, 63.1, 136, 158, 185, 215};
    QTest::newRow("mode 3") << 3 << 100 << 1.12 << 1e5 << Values{39.8, 44.7, 50.1, 56.2, 63.1, 126, 141, 158, 178, 200};
}

// 248 for 251 with ten lines a decade. The power-line repair finds its records by exact equality, so every
// power line must be a bit-exact table entry. An unknown mode gives nothing and keeps the power lines.
void TestRhoworks::wholeTables()
{
    QFETCH(int, mode);
    QFETCH(int, count);
    QFETCH(double, first);
    QFETCH(double, last);
    QFETCH(Values, members);
    Rhoworks rw;
    const QList<double> table = mode < 0 ? rw.GenerateFreqList(0, 1e9) : rw.GenerateFreqList(0, 1e9, mode);
    QVERIFY(table.size() == count && table.first() == first && table.last() == last);
    QVERIFY(std::is_sorted(table.begin(), table.end()));
    QCOMPARE(table.contains(248.0) && !table.contains(251.0), mode <= 0);
    QVERIFY(std::all_of(members.begin(), members.end(), [&](double f) { return table.contains(f); }));
    QVERIFY(rw.GenerateFreqList(0, 1e9, 7).isEmpty());
    QCOMPARE(rw.powerLineList, mode < 0 ? QList<double>{} : members.toList());
}

void TestRhoworks::estimators_data()
{
    QTest::addColumn<int>("estimator");
    QTest::addColumn<Values>("re");  // imaginary parts 2 re rotated by one segment: an estimate of 2 times the real
    QTest::addColumn<double>("expected");
    QTest::newRow("complex median") << int(kRobustMedian) << Values{1, 2, 9} << 2.0;
    QTest::newRow("complex median, NaN last") << int(kRobustMedian) << Values{NAN, 1, 3} << 3.0;
    // mean 2.25, distances 2.25 0.25 0.75 1.75 (sum 5), weights 0.55 0.95 0.85 0.65 (sum 3)
    QTest::newRow("M-estimation") << int(kMEstimation) << Values{0, 2, 3, 4} << 7.05 / 3;
    QTest::newRow("M-estimation, all equal") << int(kMEstimation) << Values{1.5, 1.5, 1.5} << 1.5;
    // leave-one-out medians 3 3 2 2, their median 2.5
    QTest::newRow("repeated median") << int(kRepeatMedian) << Values{1, 2, 3, 10} << 2.5;
    QTest::newRow("repeated median, one") << int(kRepeatMedian) << Values{1 + 1e-9} << 1.0;
    QTest::newRow("mean stack") << int(kMeanStack) << Values{1, 2, 6} << 3.0;
    QTest::newRow("median stack") << int(kMedianStack) << Values{1, 2, 6, 3} << 2.5;
}

void TestRhoworks::estimators()
{
    QFETCH(int, estimator);
    QFETCH(Values, re);
    QFETCH(double, expected);
    Segments segments;
    QList<QVector<OneFreqCrossPower>> stacks;  // entries s, s - i s, s + i s and 2 s of scale s = re
    for (int k = 0; k < re.size(); ++k) {
        const double s = re[k];
        segments << QVector<gsl_complex>{cx(s, 2 * re[(k + 1) % re.size()])};
        stacks << QVector<OneFreqCrossPower>{{1.0 + k, {cx(s), cx(s, -s), cx(s, s), cx(2 * s)}}};
    }
    auto scale = [](const QVector<OneFreqCrossPower> &r) {  // (s, 2 s) of the first line
        return cx(GSL_REAL(r.value(0).crossPower.value(3)) / 2, -2 * GSL_IMAG(r.value(0).crossPower.value(1)));
    };
    Rhoworks rw;
    const gsl_complex results[] = {rw.Robust_Median(segments).value(0), rw.Robust_MEstimation(segments).value(0),
                                   rw.Robust_RepeatMedian(segments).value(0), scale(rw.SumCrossPower(stacks)),
                                   scale(rw.MedianSumCrossPower(stacks))};
    const gsl_complex z = results[estimator];
    QVERIFY(near(GSL_REAL(z), expected, 1e-15, "real") && near(GSL_IMAG(z), 2 * expected, 1e-15, "imag"));
}

void TestRhoworks::repeatMedianMatchesSlowReference_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("levels");  // > 0: parts from that many integers (ties); < 0: ties and NaN
    for (int count : {2, 3, 4, 5, 8, 31, 64}) {
        QTest::addRow("%d segments, continuous", count) << count << 0;
        QTest::addRow("%d segments, ties", count) << count << 5;
    }
    QTest::newRow("33 segments, NaN among ties") << 33 << -7;
    QTest::newRow("34 segments, NaN among ties") << 34 << -7;
}

// 70 lines: more than one block of lines.
void TestRhoworks::repeatMedianMatchesSlowReference()
{
    QFETCH(int, count);
    QFETCH(int, levels);
    QRandomGenerator random(quint32(count * 100 + levels));
    auto draw = [&]() { return levels ? double(random.bounded(std::abs(levels))) : random.generateDouble(); };
    QVector<Values> re(70), im(70);
    Segments segments;
    for (int k = 0; k < count; ++k) {
        segments << QVector<gsl_complex>(70);
        for (int i = 0; i < 70; ++i) {
            re[i] << (levels < 0 && k % 5 == 0 && i == k ? NAN : draw());
            im[i] << draw();
            segments[k][i] = cx(re[i][k], im[i][k]);
        }
    }
    const QVector<gsl_complex> fast = Rhoworks().Robust_RepeatMedian(segments);
    QCOMPARE(fast.size(), 70);
    for (int i = 0; i < 70; ++i) {
        const QString line = QString("line %1").arg(i);
        QVERIFY(near(GSL_REAL(fast[i]), slowRepeatedMedian(re[i]), 0, line)
                && near(GSL_IMAG(fast[i]), slowRepeatedMedian(im[i]), 0, line));
    }
}

void TestRhoworks::deadFrequencies_data()
{
    QTest::addColumn<Values>("freqs");
    QTest::addColumn<Values>("rhos");
    QTest::addColumn<Values>("expected");
    QTest::newRow("one live") << Values{31.6, 39.8, 50.1, 63.1} << Values{10, 99, 99, 99} << Values{10, 10, 10, 10};
    // weights 1 / (index distance)^2: (1/9 * 1 + 1/4 * 2 + 1 * 3) / (1/9 + 1/4 + 1)
    QTest::newRow("index distances") << Values{20, 25.1, 31.6, 39.8} << Values{1, 2, 3, 50}
                                     << Values{1, 2, 3, (1.0 / 9 + 0.5 + 3) / (1.0 / 9 + 0.25 + 1)};
    QTest::newRow("within 1e-5") << Values{2000.000009, 2510.0001, 3000} << Values{5, 7, 9}
                                 << Values{(7 + 9 / 4.0) / 1.25, 7, 9};
    QTest::newRow("no live record") << Values{50.1, 63.1} << Values{4, 5} << Values{4, 5};
}

// The stored curve is handed out after the treatment.
void TestRhoworks::deadFrequencies()
{
    QFETCH(Values, freqs);
    QFETCH(Values, rhos);
    QFETCH(Values, expected);
    Rhoworks rw;
    for (int i = 0; i < freqs.size(); ++i)
        rw.curve << OneFreqImpedance{0, freqs[i], 0.9, rhos[i], 30.0 + i};
    const QVector<OneFreqImpedance> curve = rw.getCanigrdResistivity();
    for (int i = 0; i < curve.size(); ++i)
        QVERIFY(near(curve[i].rho, expected[i], 1e-14, QString::number(freqs[i])));
}

void TestRhoworks::powerLineRepair_data()
{
    QTest::addColumn<int>("repair");  // 0: power lines of mode 0, 50: 50 Hz triple, 150: 150 Hz triple
    QTest::addColumn<Values>("freqs");
    QTest::addColumn<Values>("repaired");
    QTest::addColumn<HeldEnds>("heldAt");
    QTest::newRow("hits inside: Akima") << 0 << kMode0From20 << kPowerLines << HeldEnds{};
    // five kept records, but hits beyond the kept span: linear, end value held
    QTest::newRow("hits at the top end") << 0 << kMode0From20.mid(0, 11) << kPowerLines
                                         << HeldEnds{{126, 100}, {158, 100}, {200, 100}};
    QTest::newRow("hits at the bottom end") << 0 << kMode0From20.mid(3) << kPowerLines
                                            << HeldEnds{{39.8, 79.4}, {50.1, 79.4}, {63.1, 79.4}};
    QTest::newRow("50 Hz triple") << 50 << kMode0From20.mid(0, 9) << Values{39.8, 50.1, 63.1} << HeldEnds{};
    QTest::newRow("50 Hz, one kept record") << 50 << Values{39.8, 50.1, 79.4} << Values{} << HeldEnds{};
    QTest::newRow("150 Hz triple") << 150 << kMode0From20 << Values{126, 158, 200} << HeldEnds{};
}

// Repaired records land on the lines (a held end on the lines' value at the kept end); other outliers stay.
void TestRhoworks::powerLineRepair()
{
    QFETCH(int, repair);
    QFETCH(Values, freqs);
    QFETCH(Values, repaired);
    QFETCH(HeldEnds, heldAt);
    QVector<OneFreqImpedance> curve;
    for (double f : freqs)
        curve << lineRecord(f, f, kPowerLines.contains(f));
    Rhoworks rw;
    rw.GenerateFreqList(10, 1000, 0);
    curve = repair == 0 ? rw.DealWithPowerLineFreq(curve)
          : repair == 50 ? rw.DealWith50HzFreq(curve) : rw.DealWith150HzFreq(curve);
    for (const OneFreqImpedance &r : curve) {
        const OneFreqImpedance want = lineRecord(r.freq, heldAt.value(r.freq, r.freq),
                                                 kPowerLines.contains(r.freq) && !repaired.contains(r.freq));
        QVERIFY(near(r.rho, want.rho, 1e-12, QString("rho at %1").arg(r.freq)) && near(r.phase, want.phase, 1e-12)
                && near(r.coherency, want.coherency, 1e-12));
    }
}

void TestRhoworks::knownImpedance_data()
{
    QTest::addColumn<Method>("method");
    QTest::addColumn<double>("fs");
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("first");  // first and last record
    QTest::addColumn<double>("last");
    QTest::addColumn<bool>("useESensor");
    QTest::newRow("500 Hz: fs/n .. fs/2") << Method::Plain << 500.0 << 256 << 2.0 << 248.0 << true;
    QTest::newRow("501 Hz: 10 Hz .. fs/2") << Method::Plain << 501.0 << 256 << 10.0 << 248.0 << true;
    QTest::newRow("4095 Hz: 10 Hz .. 1 kHz") << Method::Median << 4095.0 << 1024 << 10.0 << 1000.0 << true;
    QTest::newRow("4096 Hz: fs/n .. fs/2") << Method::Robust << 4096.0 << 1024 << 5.01 << 2000.0 << true;
    QTest::newRow("50 kHz: fs/n .. fs/2") << Method::Plain << 5e4 << 1024 << 50.1 << 2e4 << true;
    QTest::newRow("60 kHz: 32 fs/n .. 10 kHz") << Method::MEstimation << 6e4 << 1024 << 2000.0 << 1e4 << true;
    QTest::newRow("100 kHz, n 8192: 500 Hz .. 10 kHz") << Method::Plain << 1e5 << 8192 << 501.0 << 1e4 << true;
    QTest::newRow("200 kHz: 4 kHz .. fs/2") << Method::Plain << 2e5 << 1024 << 5010.0 << 1e5 << true;
    QTest::newRow("400 kHz: 10 kHz .. fs/2") << Method::Plain << 4e5 << 1024 << 1e4 << 2e5 << true;
    // below 4096 Hz: 10 Hz (robust 1 Hz) .. min(1 kHz, fs/2)
    for (Method method : kMethods) {
        for (bool useESensor : {true, false}) {
            QTest::addRow("%s at 1024 Hz, E sensor %d", methodName(method), useESensor)
                << method << 1024.0 << 1024 << (method == Method::Robust ? 1.0 : 10.0) << 501.0 << useESensor;
        }
    }
}

// E = 2 H over a 500 m dipole (x 2 to mV/km). Tables over 1 Hz .. 1 kHz, end values held beyond: E sensor
// 0.5 / 5 deg, E gain 2 / 10 deg, H sensor 4 / 0 deg, H gain 0.5 / 30 deg. Calibrated E/H = 4 * (4 * 0.5) /
// (2 * 0.5) = 8 with the E sensor, 4 without, at 30 - 10 - 5 = 15 or 20 deg; rho = |Z|^2 / (5 f). The plain
// records halve phases towards 45 (below 0.01 first 1.05).
void TestRhoworks::knownImpedance()
{
    QFETCH(Method, method);
    QFETCH(double, fs);
    QFETCH(int, n);
    QFETCH(double, first);
    QFETCH(double, last);
    QFETCH(bool, useESensor);
    const PairFiles files = writePair(dir.path(), "known", noise(4 * n, 400, 11), noise(4 * n, 200, 11), fs);
    writeRows(files.eSensor, {1, 0.5, 5, 1000, 0.5, 5}, 3);
    writeRows(files.eGain, {1, 2, 10, 1000, 2, 10}, 3);
    writeRows(files.hSensor, {1, 4, 0, 1000, 4, 0}, 3);
    writeRows(files.hGain, {1, 0.5, 30, 1000, 0.5, 30}, 3);
    const double ratio = useESensor ? 8 : 4, raw = useESensor ? 15 : 20;
    const double phase = method == Method::Plain ? 45 + 0.5 * (raw - 45) : raw;
    Rhoworks rw;
    QVERIFY(runMethod(rw, method, files, {fs, n, 0, 500, useESensor}));
    const QVector<OneFreqImpedance> curve = rw.getCanigrdResistivity();
    QCOMPARE(curve.size(), rw.GenerateFreqList(first, last, 0).size());
    QVERIFY(curve.first().freq == first && curve.last().freq == last);
    for (const OneFreqImpedance &r : curve) {  // dead frequencies are replaced from their neighbours
        const QString at = QString(" at %1").arg(r.freq);
        QVERIFY(isDeadFrequency(r.freq) || (near(r.rho, ratio * ratio / (5 * r.freq), 1e-6, "rho" + at)
                                            && near(r.phase - phase, 0, 1e-5, "phase error" + at)));  // float rounding
    }
}

void TestRhoworks::badInput_data()
{
    QTest::addColumn<Method>("method");
    QTest::addColumn<QString>("fault");
    for (Method method : kMethods) {
        for (const char *fault : {"missing E file", "unusable E table", "10 E, 9 H segments", "NaN sample",
                                  "zero E channel", "zero H channel", "2500 mV at 1024 Hz", "2499.9 mV at 1024 Hz",
                                  "3000 mV at 4096 Hz", "2999.9 mV at 4096 Hz"})
            QTest::addRow("%s: %s", methodName(method), fault) << method << QString(fault);
    }
}

// A failure leaves the previous curve in place. Clipping is a sample reaching the full scale in every segment
// of H: the plain and median methods drop clipped pairs, the impedance estimators keep them. A silent E
// channel gives these estimators impedance 0 and a curve of rho 0.
void TestRhoworks::badInput()
{
    QFETCH(Method, method);
    QFETCH(QString, fault);
    const int n = 256;
    const double fs = fault.endsWith("4096 Hz") ? 4096 : 1024;
    QVector<double> e = noise(10 * n, 300, 3), h = noise(10 * n, 100, 3);
    Rhoworks rw;
    QVERIFY(runMethod(rw, method, writePair(dir.path(), "good", e, h, fs), {fs, n}));
    const QVector<OneFreqImpedance> before = rw.getCanigrdResistivity();

    const double peak = fault.contains(" mV") ? fault.section(' ', 0, 0).toDouble() : 0;
    for (int k = 0; peak > 0 && k < 10; ++k)
        h[k * n + 17] = k % 2 ? -peak : peak;
    if (fault.startsWith("zero"))
        (fault == "zero E channel" ? e : h).fill(0);
    if (fault == "NaN sample")
        e[2 * n + 5] = NAN;
    if (fault == "10 E, 9 H segments")
        h.resize(9 * n + 100);
    PairFiles bad = writePair(dir.path(), "bad", e, h, fs);
    bad.e = fault == "missing E file" ? dir.path() + "/absent_E0.txt" : bad.e;
    if (fault == "unusable E table")
        writeRows(bad.eSensor, {1, 1, 0, 1, 2, 0, 3, 1, 0}, 3);  // a frequency repeated

    const bool estimator = method == Method::Robust || method == Method::MEstimation;
    const bool clipped = fault.startsWith("2500") || fault.startsWith("3000");
    const bool succeeds = (peak > 0 && !clipped) || (estimator && (clipped || fault == "zero E channel"));
    QCOMPARE(runMethod(rw, method, bad, {fs, n}), succeeds);
    const QVector<OneFreqImpedance> after = rw.getCanigrdResistivity();
    QVERIFY(!after.isEmpty() && (succeeds || after.size() == before.size()));
    for (int i = 0; i < after.size(); ++i) {
        const double rho = !succeeds ? before[i].rho : fault == "zero E channel" ? 0 : after[i].rho;
        QVERIFY(std::isfinite(after[i].rho) && after[i].rho == rho);
    }
}

QTEST_GUILESS_MAIN(TestRhoworks)
#include "tst_Rhoworks.moc"
