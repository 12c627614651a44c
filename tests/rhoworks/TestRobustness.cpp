// Spikes in a tenth of the segments: the synthetic three-layer station with bursts of large
// electric spikes (below the converter's full scale, so no segment is dropped as clipped) in four
// of forty segments. The repeated median must stay on the forward model; the plain mean must not,
// or the spikes would prove nothing.

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cmath>

#include "DemoSurvey.h"
#include "PhysicsSupport.h"
#include "Rhoworks.h"

using namespace RhoworksTest;

namespace {

constexpr int kRate = 24000;
constexpr int kN = 8192;
constexpr int kSegments = 40;
constexpr double kSpikeMilliVolt = 2500;  // full scale at 24000 Hz is 3000 mV
constexpr int kSpikesPerSegment = 64;

// Overwrites kSpikesPerSegment evenly spread samples of every tenth segment (counting from 3) of
// a binary count file with spikes of alternating sign.
bool addSpikes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const qint32 counts = qint32(std::lround(kSpikeMilliVolt / countsScale(kRate)));
    for (int segment = 3; segment < kSegments; segment += 10) {
        for (int j = 0; j < kSpikesPerSegment; ++j) {
            const qint64 sample = qint64(segment) * kN + j * (kN / kSpikesPerSegment) + 17;
            const qint32 value = qToLittleEndian(j % 2 ? -counts : counts);
            if (!file.seek(4 * sample) || file.write(reinterpret_cast<const char *>(&value), 4) != 4)
                return false;
        }
    }
    return true;
}

}  // namespace

class TestRobustness : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void spikedSegments_data();
    void spikedSegments();

private:
    QTemporaryDir dir;
    SyntheticRecording recording;
};

void TestRobustness::initTestCase()
{
    QVERIFY(dir.isValid());
    RecordingSpec spec;
    spec.sampleRate = kRate;
    spec.seconds = int(std::ceil(double(kN) * kSegments / kRate));
    spec.seed = 71;
    recording = writeSyntheticRecording(dir.path(), StationModel(DemoSurvey::threeLayerEarth()), spec);
    QVERIFY(recording.valid);
    QVERIFY(addSpikes(exHyFiles(recording).e));
}

void TestRobustness::spikedSegments_data()
{
    QTest::addColumn<Method>("method");
    QTest::addColumn<int>("expectation");  // 1: within 10 % everywhere, -1: beyond 10 % somewhere, 0: report
    QTest::newRow("robust") << Method::Robust << 1;
    QTest::newRow("plain") << Method::Plain << -1;
    QTest::newRow("M-estimation") << Method::MEstimation << 0;
    QTest::newRow("median") << Method::Median << 0;
}

void TestRobustness::spikedSegments()
{
    QFETCH(Method, method);
    QFETCH(int, expectation);
    Rhoworks rhoworks;
    QVERIFY(runMethod(rhoworks, method, exHyFiles(recording), recordingOptions(recording, kN)));
    const Misfit m = earthMisfit(rhoworks.getCanigrdResistivity(), DemoSurvey::threeLayerEarth(),
                                 mapsPhase(method), kRate, kN);
    qInfo().noquote() << describe(m);
    QVERIFY(m.count >= 5);
    if (expectation > 0)
        QVERIFY2(m.maxRho < 0.10, qPrintable(describe(m)));
    if (expectation < 0)
        QVERIFY2(m.maxRho > 0.10, qPrintable(describe(m)));
}

namespace RhoworksTest {
int runRobustnessTests(int argc, char **argv)
{
    TestRobustness test;
    return QTest::qExec(&test, argc, argv);
}
}  // namespace RhoworksTest

#include "TestRobustness.moc"
