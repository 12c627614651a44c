// Each method on a synthetic three-layer station recorded through non-flat sensor and gain
// responses, against the layered-earth forward model, at two sampling rates that take different
// output-band rules.

#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "DemoSurvey.h"
#include "PhysicsSupport.h"
#include "Rhoworks.h"

using namespace RhoworksTest;

namespace {

// Replaces each channel file of the pair by copies of its first n samples, so that every segment
// is the same stretch of the natural field.
bool repeatFirstSegment(const PairFiles &files, int n, int copies)
{
    for (const QString &path : {files.e, files.h}) {
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite))
            return false;
        const QByteArray segment = file.read(4 * qint64(n));
        if (segment.size() != 4 * n || !file.resize(0) || !file.seek(0))
            return false;
        for (int k = 0; k < copies; ++k) {
            if (file.write(segment) != segment.size())
                return false;
        }
    }
    return true;
}

SyntheticRecording threeLayerRecording(const QTemporaryDir &dir, int rate, int n, int segments)
{
    RecordingSpec spec;
    spec.sampleRate = rate;
    spec.seconds = int(std::ceil(double(n) * segments / rate));
    spec.seed = 61 + rate;
    return writeSyntheticRecording(dir.path(), StationModel(DemoSurvey::threeLayerEarth()), spec);
}

void addRateRows()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("n");
    QTest::newRow("24000 Hz") << 24000 << 8192;   // band fs/n .. fs/2
    QTest::newRow("2048 Hz") << 2048 << 2048;     // band 10 Hz (robust 1 Hz) .. 1000 Hz
}

}  // namespace

class TestPhysics : public QObject {
    Q_OBJECT
private slots:
    void threeLayerStation_data();
    void threeLayerStation();
    void repeatingSegmentsMakeMediansAgreeWithMeans_data() { addRateRows(); }
    void repeatingSegmentsMakeMediansAgreeWithMeans();
};

void TestPhysics::threeLayerStation_data()
{
    QTest::addColumn<Method>("method");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("rhoTolerance");
    QTest::addColumn<double>("phaseTolerance");
    for (Method method : {Method::Plain, Method::MEstimation, Method::Robust, Method::Median}) {
        // The median of the real parts of E over segments is not Z times that of H when the
        // field's phase changes from segment to segment, so on random natural fields the median
        // method is biased by tens of percent and several degrees. Its bound only catches gross
        // faults; repeatingSegmentsMakeMediansAgreeWithMeans holds its path exactly.
        const bool median = method == Method::Median;
        for (int rate : {24000, 2048}) {
            QTest::addRow("%s, %d Hz", qPrintable(methodName(method)), rate)
                << method << rate << (rate == 24000 ? 8192 : 2048)
                << (median ? 0.35 : 0.05) << (median ? 10.0 : 2.0);
        }
    }
}

// Forty segments of n samples, compared away from the band edges and the dead frequencies.
void TestPhysics::threeLayerStation()
{
    QFETCH(Method, method);
    QFETCH(int, rate);
    QFETCH(int, n);
    QFETCH(double, rhoTolerance);
    QFETCH(double, phaseTolerance);
    QTemporaryDir dir;
    const SyntheticRecording recording = threeLayerRecording(dir, rate, n, 40);
    QVERIFY(recording.valid);
    Rhoworks rhoworks;
    QVERIFY(runMethod(rhoworks, method, exHyFiles(recording), recordingOptions(recording, n)));
    const Misfit m = earthMisfit(rhoworks.getCanigrdResistivity(), DemoSurvey::threeLayerEarth(),
                                 mapsPhase(method), rate, n);
    qInfo().noquote() << describe(m);
    QVERIFY(m.count >= 5);
    QVERIFY2(m.maxRho < rhoTolerance, qPrintable(describe(m)));
    QVERIFY2(m.maxPhase < phaseTolerance, qPrintable(describe(m)));
}

// When every segment is the same stretch of field, a median over segments is that stretch's
// value: the median method must give the plain method's curve, and the repeated median the
// one-pass estimate's (to single precision), through the same calibration and band averages.
void TestPhysics::repeatingSegmentsMakeMediansAgreeWithMeans()
{
    QFETCH(int, rate);
    QFETCH(int, n);
    QTemporaryDir dir;
    const SyntheticRecording recording = threeLayerRecording(dir, rate, n, 1);
    QVERIFY(recording.valid);
    const PairFiles files = exHyFiles(recording);
    QVERIFY(repeatFirstSegment(files, n, 7));
    const RunOptions options = recordingOptions(recording, n);
    QVector<OneFreqImpedance> curves[4];
    for (Method method : {Method::Plain, Method::MEstimation, Method::Robust, Method::Median}) {
        Rhoworks rhoworks;
        QVERIFY(runMethod(rhoworks, method, files, options));
        curves[int(method)] = rhoworks.getCanigrdResistivity();
    }
    for (auto pair : {std::make_pair(Method::Median, Method::Plain),
                      std::make_pair(Method::Robust, Method::MEstimation)}) {
        // The repeated median's band starts at 1 Hz below 4096 Hz; compare the common frequencies
        // except the dead ones, which are means over every other record of their own curve.
        QMap<double, OneFreqImpedance> b;
        for (const OneFreqImpedance &r : curves[int(pair.second)]) {
            if (!isDeadFrequency(r.freq))
                b.insert(r.freq, r);
        }
        int compared = 0;
        for (const OneFreqImpedance &a : curves[int(pair.first)]) {
            if (!b.contains(a.freq))
                continue;
            const OneFreqImpedance &other = b[a.freq];
            QVERIFY2(near(a.rho, other.rho, 1e-5),
                     qPrintable(mismatch(QString("rho at %1").arg(a.freq), a.rho, other.rho)));
            QVERIFY2(std::fabs(a.phase - other.phase) < 1e-4,
                     qPrintable(mismatch(QString("phase at %1").arg(a.freq), a.phase, other.phase)));
            ++compared;
        }
        QCOMPARE(compared, b.size());
        QVERIFY(compared >= 10);
    }
}

namespace RhoworksTest {
int runPhysicsTests(int argc, char **argv)
{
    TestPhysics test;
    return QTest::qExec(&test, argc, argv);
}
}  // namespace RhoworksTest

#include "TestPhysics.moc"
