// Tensor processing of synthetic stations written by the survey generator: the recovered
// impedance tensor must match the forward model's.
#include <QtTest>
#include <cmath>
#include <complex>

#include "Data_Calc_Tensor.h"
#include "ProcessingTests.h"
#include "SurveyWriter.h"

using RecorderConventions::Channel;
using cd = std::complex<double>;

namespace {

constexpr int kRate = 24000;
constexpr int kN = 16384;
// The half-cosine taper leaks the strong low-frequency field into the first lines of a segment;
// targets whose band holds at least three lines (five lines up) are clear of it.
constexpr double kLowestCheckedHz = 5.0 * kRate / kN;

int codeOf(Channel channel)
{
    switch (channel) {
    case Channel::Ex:
        return 1;
    case Channel::Ey:
        return 2;
    case Channel::Hx:
        return 3;
    case Channel::Hy:
        return 4;
    case Channel::Ex2:
        break;
    }
    return 5;
}

QList<MTSampleData> descriptorsOf(const QString &workDir, const RecordingDescription &recording)
{
    QList<MTSampleData> list;
    for (const ChannelDescription &c : recording.channels) {
        MTSampleData d;
        d.channel = codeOf(c.channel);
        d.sampleCount = int(recording.sampleCount);
        d.sampleFrequency = recording.sampleRate;
        d.lowBand = recording.lowBand ? 1 : 0;
        d.dipoleLength = float(c.dipole);
        d.dataFile = c.dataFile;
        d.sensorFile = workDir + "/" + c.sensorTable;
        d.gainFile = workDir + "/" + c.gainTable;
        list.append(d);
    }
    return list;
}

// Apparent resistivity and phase of one element, as the processing defines them.
struct Element {
    double rho;
    double phase;
};
Element expectedElement(cd z, double f)
{
    return {std::norm(z) * 0.2 / f, std::arg(z) * 180.0 / M_PI};
}

QString describe(const char *name, double f, Element actual, Element expected)
{
    return QString("%1 at %2 Hz: rho %3 (model %4), phase %5 (model %6)")
        .arg(name).arg(f).arg(actual.rho).arg(expected.rho).arg(actual.phase).arg(expected.phase);
}

bool matches(Element actual, Element expected)
{
    double phaseError = std::fabs(actual.phase - expected.phase);
    phaseError = std::min(phaseError, 360.0 - phaseError);
    return std::fabs(actual.rho / expected.rho - 1.0) <= 0.05 && phaseError <= 2.0;
}

} // namespace

class TestTensorPhysics : public QObject {
    Q_OBJECT

    Data_Calc_Tensor::BandResults process(const StationModel &model, std::uint64_t seed)
    {
        QTemporaryDir dir;
        StationSpec station;
        station.model = model;
        RecordingSpec spec;
        spec.sampleRate = kRate;
        spec.seconds = 120;  // 175 segments of 16384, all of them used
        spec.seed = seed;
        spec.tensor = true;
        station.recordings = {spec};
        StationDescription written;
        if (!SurveyWriter(dir.path()).writeStation(station, &written))
            return {};
        Data_Calc_Tensor tensor;
        tensor.loadSpectra(descriptorsOf(dir.path(), written.recordings.first()), kN, 0);
        return tensor.bandResults(TensorBand::forRecording(kRate, kN), 0.3);
    }

private slots:
    // One layered earth under both polarisations: Zxy and -Zyx are its impedance, the diagonal
    // vanishes.
    void layeredEarth()
    {
        const LayeredEarth earth({{100.0, 500.0}, {30.0, 3000.0}}, 300.0);
        const Data_Calc_Tensor::BandResults results = process(StationModel(earth), 11);
        QCOMPARE(results.impedances.size(), 40);
        QCOMPARE(results.impedances.first().freq, 1.26);
        QCOMPARE(results.impedances.last().freq, 10000.0);
        for (const TensorImpedance &z : results.impedances) {
            const double f = z.freq;
            if (f < kLowestCheckedHz)
                continue;
            const Element model{earth.apparentResistivity(f), earth.phaseDegrees(f)};
            const Element xy{z.rhoXY, z.phaseXY}, yx{z.rhoYX, z.phaseYX};
            QVERIFY2(matches(xy, model), qPrintable(describe("Zxy", f, xy, model)));
            QVERIFY2(matches(yx, {model.rho, model.phase - 180.0}), qPrintable(describe("Zyx", f, yx, model)));
            QVERIFY2(z.rhoXX < 1e-3 * z.rhoXY && z.rhoYY < 1e-3 * z.rhoYX,
                     qPrintable(QString("diagonal at %1 Hz: %2, %3").arg(f).arg(z.rhoXX).arg(z.rhoYY)));
        }
    }

    // A different earth per polarisation, recorded in axes turned by 30 degrees: all four
    // elements follow the rotated forward tensor.
    void rotatedGeneralTensor()
    {
        const LayeredEarth xyEarth({{300.0, 500.0}}, 3000.0);
        const LayeredEarth yxEarth({{30.0, 800.0}}, 3.0);
        const StationModel model(xyEarth, yxEarth, 30.0);
        const Data_Calc_Tensor::BandResults results = process(model, 23);
        QCOMPARE(results.impedances.size(), 40);
        for (const TensorImpedance &z : results.impedances) {
            const double f = z.freq;
            if (f < kLowestCheckedHz)
                continue;
            const ImpedanceTensor expected = model.tensor(f);
            const Element actual[] = {{z.rhoXX, z.phaseXX}, {z.rhoXY, z.phaseXY}, {z.rhoYX, z.phaseYX}, {z.rhoYY, z.phaseYY}};
            const cd elements[] = {expected.xx, expected.xy, expected.yx, expected.yy};
            const char *names[] = {"Zxx", "Zxy", "Zyx", "Zyy"};
            for (int e = 0; e < 4; ++e)
                QVERIFY2(matches(actual[e], expectedElement(elements[e], f)),
                         qPrintable(describe(names[e], f, actual[e], expectedElement(elements[e], f))));
        }
    }
};

int runTensorPhysicsTests(int argc, char **argv)
{
    TestTensorPhysics test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestTensorPhysics.moc"
