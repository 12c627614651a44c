// Loading of a recording by the tensor processing: count files and flat calibration tables
// written here, matrices compared with products of direct-DFT spectra.
#include <QtTest>
#include <cmath>
#include <complex>

#include "Data_Calc_Tensor.h"
#include "ProcessingFixtures.h"
#include "ProcessingTests.h"

using namespace Fixtures;
using cd = std::complex<double>;

namespace {

// Channels in the order the matrices hold them: Ex, Ey, Hx, Hy, Ex2.
const int kCodes[] = {1, 2, 3, 4, 5};
const double kDipoles[] = {50.0, 60.0, 0.0, 0.0, 70.0};
double sensorGain(int c) { return 1.25 + c; }
double gainGain(int c) { return 3.0 + 2 * c; }
double sensorPhase(int c) { return 7.0 * c; }   // degrees
double gainPhase(int c) { return -4.0 * c; }

QVector<qint32> countsOf(int c, int samples)
{
    QVector<qint32> counts;
    for (double v : randomSamples(samples, 500 + c))
        counts.append(qint32(std::lround(v * 200000.0)));
    return counts;
}

bool sameMatrices(const QVector<TensorCrossPower> &a, const QVector<TensorCrossPower> &b)
{
    if (a.size() != b.size())
        return false;
    for (int k = 0; k < a.size(); ++k)
        for (int i = 0; i < a[k].matrix.size(); ++i)
            for (int j = 0; j < a[k].matrix.size(); ++j)
                if (GSL_REAL(a[k].matrix[i][j]) != GSL_REAL(b[k].matrix[i][j])
                    || GSL_IMAG(a[k].matrix[i][j]) != GSL_IMAG(b[k].matrix[i][j]))
                    return false;
    return true;
}

} // namespace

class TestTensorProcessing : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    int n = 256;
    int segments = 4;

    QString path(const QString &name) const { return dir.filePath(name); }

    QList<MTSampleData> descriptors(int fs, int lowBand) const
    {
        QList<MTSampleData> list;
        for (int c : {3, 0, 4, 1, 2}) {  // deliberately not in channel order
            MTSampleData d;
            d.channel = kCodes[c];
            d.sampleCount = n * segments;
            d.sampleFrequency = fs;
            d.lowBand = lowBand;
            d.dipoleLength = float(kDipoles[c]);
            d.dataFile = path(QString("counts-%1.dat").arg(c));
            d.sensorFile = path(QString("sensor-%1.txt").arg(c));
            d.gainFile = path(QString("gain-%1.txt").arg(c));
            list.append(d);
        }
        return list;
    }

    // Calibrated spectrum of segment s of channel c by a direct DFT.
    QList<OneFreqSpectrum> reference(int c, int s, int fs, double scale, bool withSensor) const
    {
        const QVector<qint32> counts = countsOf(c, n * segments);
        QVector<double> samples;
        for (int i = s * n; i < (s + 1) * n; ++i)
            samples.append(kDipoles[c] > 0 ? counts[i] * scale * 1000.0 / kDipoles[c] : counts[i] * scale);
        const double gain = gainGain(c) * (withSensor ? sensorGain(c) : 1.0);
        const double phase = (gainPhase(c) + (withSensor ? sensorPhase(c) : 0.0)) * M_PI / 180.0;
        return divided(referenceSpectrum(samples, fs), gain, phase);
    }

private slots:
    void initTestCase()
    {
        for (int c = 0; c < 5; ++c) {
            QVERIFY(writeCounts(path(QString("counts-%1.dat").arg(c)), countsOf(c, n * segments)));
            QVERIFY(writeFlatTable(path(QString("sensor-%1.txt").arg(c)), sensorGain(c), sensorPhase(c)));
            QVERIFY(writeFlatTable(path(QString("gain-%1.txt").arg(c)), gainGain(c), gainPhase(c)));
        }
    }

    // Reader scale by rate, electric conversion with each dipole, calibration by channel kind,
    // channel order and the mean over segments, all against the slow reference.
    void matricesFromFiles_data()
    {
        QTest::addColumn<int>("fs");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("lowBand");
        QTest::newRow("4096 Hz reads 3000/2^23") << 4096 << 3000.0 / 8388608.0 << 0;
        QTest::newRow("4095 Hz reads 2500/2^32") << 4095 << 2500.0 / 4294967296.0 << 0;
        QTest::newRow("low band: electric by gain only") << 4096 << 3000.0 / 8388608.0 << 1;
    }
    void matricesFromFiles()
    {
        QFETCH(int, fs);
        QFETCH(double, scale);
        QFETCH(int, lowBand);
        Data_Calc_Tensor tensor;
        QTest::ignoreMessage(QtDebugMsg, "first is finished");
        tensor.loadSpectra(descriptors(fs, lowBand), n + 0.7);
        QCOMPARE(tensor.matrixChannels(), (QList<int>{1, 2, 3, 4, 5}));
        const QVector<TensorCrossPower> matrices = tensor.crossPowerMatrices();
        QCOMPARE(matrices.size(), n / 2);
        for (int k : {0, 16, n / 2 - 1}) {
            QCOMPARE(matrices[k].freq, (k + 1) * double(fs) / n);
            QCOMPARE(matrices[k].matrix.size(), 5);
            QVector<QVector<cd>> sum(5, QVector<cd>(5));
            for (int s = 0; s < segments; ++s) {
                QVector<cd> lines;
                for (int c = 0; c < 5; ++c)
                    lines.append(complexOf(reference(c, s, fs, scale, !(lowBand && kDipoles[c] > 0))[k]));
                for (int i = 0; i < 5; ++i)
                    for (int j = 0; j < 5; ++j)
                        sum[i][j] += lines[i] * std::conj(lines[j]);
            }
            for (int i = 0; i < 5; ++i)
                for (int j = 0; j < 5; ++j) {
                    const cd expected = sum[i][j] / double(segments);
                    const cd actual{GSL_REAL(matrices[k].matrix[i][j]), GSL_IMAG(matrices[k].matrix[i][j])};
                    const double size = std::sqrt(std::abs(sum[i][i] * sum[j][j])) / segments;
                    QVERIFY2(std::abs(actual - expected) < 1e-9 * size,
                             qPrintable(QString("line %1 element %2 %3").arg(k).arg(i).arg(j)));
                }
        }
    }

    // A channel with fewer segments limits every channel to the segments all of them have.
    void shortChannelLimitsTheSegments()
    {
        QVERIFY(writeCounts(path("short-hy.dat"), countsOf(3, n * segments).mid(0, 2 * n + 17)));
        QList<MTSampleData> list = descriptors(4096, 0);
        Data_Calc_Tensor limited, shortened;
        limited.loadSpectra(list, n, 2);
        list[0].dataFile = path("short-hy.dat");
        QCOMPARE(list[0].channel, 4);
        shortened.loadSpectra(list, n);
        QVERIFY(sameMatrices(shortened.crossPowerMatrices(), limited.crossPowerMatrices()));
        QVERIFY(!sameMatrices(shortened.crossPowerMatrices(), [this] {
            Data_Calc_Tensor all;
            all.loadSpectra(descriptors(4096, 0), n);
            return all.crossPowerMatrices();
        }()));
    }

    // Reading stops at the first channel whose file fails (Hx, third in channel order); the
    // channels before it remain. Without Hx, or without Ey, no impedance can be formed.
    void missingChannelsGiveNoImpedance()
    {
        QList<MTSampleData> unreadable = descriptors(4096, 0), withoutEy = descriptors(4096, 0);
        QVERIFY(unreadable[4].channel == 3 && withoutEy[3].channel == 2);
        unreadable[4].dataFile = path("missing-hx.dat");
        withoutEy.removeAt(3);
        Data_Calc_Tensor tensor;
        tensor.loadSpectra(unreadable, n);
        QCOMPARE(tensor.matrixChannels(), (QList<int>{1, 2}));
        QCOMPARE(tensor.crossPowerMatrices().first().matrix.size(), 2);
        QVERIFY(!tensor.hasImpedanceChannels());
        QVERIFY(tensor.bandResults(TensorBand::forRecording(4096, n), 0.3).records.isEmpty());
        tensor.loadSpectra(withoutEy, n);
        QCOMPARE(tensor.matrixChannels(), (QList<int>{1, 3, 4, 5}));
        QVERIFY(tensor.bandResults(TensorBand::forRecording(4096, n), 0.3).impedances.isEmpty());
    }

    // A calibration table that cannot be loaded abandons the call: the earlier matrices stay.
    void missingTableKeepsEarlierMatrices()
    {
        Data_Calc_Tensor tensor;
        tensor.loadSpectra(descriptors(4096, 0), n);
        const QVector<TensorCrossPower> before = tensor.crossPowerMatrices();
        QList<MTSampleData> list = descriptors(2000, 0);
        list[3].gainFile = path("no-gain.txt");
        tensor.loadSpectra(list, n);
        QVERIFY(sameMatrices(tensor.crossPowerMatrices(), before));
        QCOMPARE(tensor.crossPowerMatrices().first().freq, 4096.0 / n);
        QCOMPARE(tensor.matrixChannels().size(), 5);
    }

    // Lines every 16 Hz: of the targets from 1 to 30 Hz only 12.6, 15.8, 20 and 25.1 Hz have a
    // line within 30 %; the others are left out, and records and impedances stay paired.
    void bandsWithoutLinesAreSkipped()
    {
        Data_Calc_Tensor tensor;
        tensor.loadSpectra(descriptors(4096, 0), n);
        const Data_Calc_Tensor::BandResults results = tensor.bandResults(TensorBand{1.0, 30.0}, 0.3);
        QList<double> frequencies;
        for (int i = 0; i < results.impedances.size(); ++i) {
            frequencies.append(results.impedances[i].freq);
            QCOMPARE(results.records[i].freq, results.impedances[i].freq);
            QVERIFY(std::isfinite(results.impedances[i].rhoXY));
        }
        QCOMPARE(frequencies, (QList<double>{12.6, 15.8, 20.0, 25.1}));
    }

    // From one segment, a band holding one line gives a matrix of rank one: its magnetic part is
    // singular and the frequency is left out.
    void singleLineSingleSegmentIsSingular()
    {
        Data_Calc_Tensor tensor;
        tensor.loadSpectra(descriptors(4096, 0), n, 1);
        QVERIFY(tensor.bandResults(TensorBand{1.0, 30.0}, 0.3).impedances.isEmpty());
        QVERIFY(!tensor.bandResults(TensorBand{30.0, 200.0}, 0.3).impedances.isEmpty());
    }

    // At most 50 segments unless the caller asks for more (0: all).
    void segmentLimit()
    {
        const int shortN = 16, many = 52;
        QList<MTSampleData> list;
        for (int position : {1, 3, 4, 0}) {  // Ex, Ey, Hx, Hy
            QVERIFY(writeCounts(path(QString("many-%1.dat").arg(position)), countsOf(position, shortN * many)));
            MTSampleData d = descriptors(4096, 0)[position];
            d.dataFile = path(QString("many-%1.dat").arg(position));
            d.sampleCount = shortN * many;
            list.append(d);
        }
        Data_Calc_Tensor byDefault, fifty, all, fiftyTwo;
        byDefault.loadSpectra(list, shortN);
        fifty.loadSpectra(list, shortN, 50);
        all.loadSpectra(list, shortN, 0);
        fiftyTwo.loadSpectra(list, shortN, 52);
        QVERIFY(sameMatrices(byDefault.crossPowerMatrices(), fifty.crossPowerMatrices()));
        QVERIFY(sameMatrices(all.crossPowerMatrices(), fiftyTwo.crossPowerMatrices()));
        QVERIFY(!sameMatrices(all.crossPowerMatrices(), fifty.crossPowerMatrices()));
    }
};

int runTensorProcessingTests(int argc, char **argv)
{
    TestTensorProcessing test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestTensorProcessing.moc"
