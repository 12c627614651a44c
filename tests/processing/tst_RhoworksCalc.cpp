// The spectrum driver against spectra computed by a direct DFT and calibrated by hand.
#include <QSignalSpy>
#include <QtTest>

#include "Data_RhoworksCalc.h"
#include "ProcessingFixtures.h"

using namespace Fixtures;
using Spectrum = QList<OneFreqSpectrum>;

namespace {

constexpr int kN = 64;
constexpr double kFs = 64.0;
const QStringList kNames{"Ex", "Ey", "Ex2", "Hx", "Hy"};
const int kCodes[] = {1, 2, 5, 3, 4};
const double kDipoles[] = {40.0, 50.0, 80.0, 0.0, 0.0};

QVector<double> segmentOf(int slot, int s)
{
    QVector<double> samples = randomSamples(kN, 100 * slot + s);
    for (double &v : samples)
        v *= slot < 3 ? 50.0 : 2.0;
    return samples;
}

// Segments 0 .. count - 1 of a channel by the direct DFT (electric samples to mV/km first),
// raw or divided by the channel's flat tables: sensor 1.5 + slot at 10 * slot degrees, gain
// 4 + slot at 5 * slot degrees.
QList<Spectrum> references(int slot, int count, bool calibrated = true)
{
    QList<Spectrum> list;
    for (int s = 0; s < count; ++s) {
        QVector<double> samples = segmentOf(slot, s);
        for (double &v : samples)
            v *= kDipoles[slot] > 0 ? 1000.0 / kDipoles[slot] : 1.0;
        list.append(calibrated ? referenceSpectrum(samples, kFs, (1.5 + slot) * (4.0 + slot), M_PI * slot / 12)
                               : referenceSpectrum(samples, kFs));
    }
    return list;
}

// Stacked cross powers (aa*, ab*, ba*, bb*) against the mean products of spectra a and b.
void compareStack(const QVector<OneFreqCrossPower> &actual, const QList<Spectrum> &a, const QList<Spectrum> &b)
{
    QCOMPARE(actual.size(), kN / 2);
    for (int k = 0; k < kN / 2; ++k) {
        QList<QVector<cd>> values;
        for (int s = 0; s < a.size(); ++s)
            values.append({complexOf(a[s][k]), complexOf(b[s][k])});
        const QVector<gsl_complex> &c = actual[k].crossPower;
        const QString m = matrixMismatch({{c[0], c[1]}, {c[2], c[3]}}, meanProducts(values), 1e-9);
        QVERIFY2(actual[k].freq == a.first()[k].freq && m.isEmpty(), qPrintable(QString("line %1 %2").arg(k).arg(m)));
    }
}

} // namespace

class TestSpectra : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString table(const char *kind, int slot) const { return dir.filePath(QString("%1-%2.txt").arg(kind).arg(slot)); }

    QList<MTSampleData> descriptors() const
    {
        QList<MTSampleData> list;
        for (int slot = 0; slot < 5; ++slot)  // fields as declared
            list.append({kCodes[slot], 0, int(kFs), 0, 0, 0, float(kDipoles[slot]), table("gain", slot), "",
                         table("sensor", slot)});
        return list;
    }

private slots:
    void initTestCase()
    {
        for (int slot = 0; slot < 5; ++slot) {
            QVERIFY(writeFlatTable(table("sensor", slot), 1.5 + slot, 10.0 * slot));
            QVERIFY(writeFlatTable(table("gain", slot), 4.0 + slot, 5.0 * slot));
        }
    }

    void channelRuns()
    {
        Data_RhoworksCalc calc;
        QSignalSpy finished(&calc, &Data_RhoworksCalc::interpfinished);
        calc.setSampleList(descriptors(), kNames);
        for (int slot = 0; slot < 5; ++slot)
            QVERIFY(calc.setChannelSegments(kNames[slot], {segmentOf(slot, 0), segmentOf(slot, 1),
                                                           segmentOf(slot, 2)}));
        calc.calcChannelSpectra(kN);
        QCOMPARE(finished.count(), 1);

        for (int slot = 0; slot < 5; ++slot) {
            const QList<Spectrum> raw = references(slot, 3, false), spectra = references(slot, 3);
            QList<QVector<double>> rawAmplitudes, calibrated;
            QVector<double> stacked;
            QVERIFY(calc.channelResults(kNames[slot], rawAmplitudes, calibrated, stacked));
            QCOMPARE(rawAmplitudes.size() + calibrated.size() + stacked.size(), 6 + kN / 2);
            for (int k = 0; k < kN / 2; ++k) {
                double sum = 0.0, phaseSum = 0.0;
                for (int s = 0; s < 3; ++s) {
                    QCLOSE(rawAmplitudes[s][k], raw[s][k].amplitude, 1e-7);
                    QCLOSE(calibrated[s][k], spectra[s][k].amplitude, 1e-7);
                    sum += spectra[s][k].amplitude;
                    phaseSum += spectra[s][k].phase;
                }
                QCLOSE(stacked[k], sum / 3, 1e-7);
                // Phases average as numbers; the real Nyquist line's phase is +-pi by a rounding sign.
                if (k < kN / 2 - 1)
                    QVERIFY(std::fabs(calc.meanSpectrum(kNames[slot])[k].phase - phaseSum / 3) < 1e-6);
            }
        }
        QVector<OneFreqCrossPower> exHy, eyHy, ex2Hy, meanEHy;
        calc.crossPowerResults(exHy, eyHy, ex2Hy, meanEHy);
        const QList<Spectrum> ex = references(0, 3), ey = references(1, 3), hy = references(4, 3);
        compareStack(exHy, ex, hy);
        compareStack(eyHy, ey, hy);
        compareStack(ex2Hy, references(2, 3), hy);
        compareStack(calc.stackedCrossPowerExEy(), ex, ey);
        compareStack(calc.stackedCrossPowerHxHy(), references(3, 3), hy);

        // Second run: Ey's table cannot be loaded, Ex2 is not listed, Hy has one segment fewer,
        // "Hz" is no channel. Ey keeps its results and joins no cross power; the others pair over
        // the segments both channels have.
        QList<QVector<double>> rawBefore, raw, calibrated;
        QVector<double> stackedBefore, stacked;
        calc.channelResults("Ey", rawBefore, calibrated, stackedBefore);
        QList<MTSampleData> broken = descriptors();
        broken[1].sensorFile = dir.filePath("no-such-table.txt");
        calc.setSampleList(broken, {"Ex", "Ey", "Hx", "Hy", "Hz"});
        calc.setChannelSegments("Ey", {segmentOf(0, 7)});
        calc.setChannelSegments("Hy", {segmentOf(4, 0), segmentOf(4, 1)});
        calc.calcChannelSpectra(kN);
        QCOMPARE(finished.count(), 2);
        calc.channelResults("Ey", raw, calibrated, stacked);
        QVERIFY(raw == rawBefore && stacked == stackedBefore);
        QVERIFY(!calc.channelResults("Hz", raw, calibrated, stacked));
        calc.crossPowerResults(exHy, eyHy, ex2Hy, meanEHy);
        QVERIFY(eyHy.isEmpty() && ex2Hy.isEmpty() && meanEHy.isEmpty() && calc.stackedCrossPowerExEy().isEmpty());
        compareStack(exHy, references(0, 2), references(4, 2));
        compareStack(calc.stackedCrossPowerHxHy(), references(3, 2), references(4, 2));
    }

    // A 16384-sample segment at 4096 Hz: 8192 lines at multiples of 0.25 Hz, and as many table
    // rows, held below the first row, linear inside and held above the last.
    void longSegmentLines()
    {
        MTSampleData hy = descriptors()[4];
        hy.sampleFrequency = 4096;
        Data_RhoworksCalc calc;
        calc.setSampleList({hy}, {"Hy"});
        calc.setChannelSegments("Hy", {randomSamples(16384, 3)});
        calc.calcChannelSpectra(16384);
        const QVector<OneFreqSpectrum> mean = calc.meanSpectrum("Hy");
        QList<OneFreqCheck> rows{{1, 2, 0}, {1000, 4, 1}};
        Data_RhoworksCalc::resampleCheckTable(rows, 16384, 4096);
        QCOMPARE(mean.size(), 8192);
        QCOMPARE(rows.size(), 8192);
        QVERIFY(mean.first().freq == 0.25 && rows.last().freq == 2048.0);
        QVERIFY(rows.first().amplitude == 2.0 && rows.last().amplitude == 4.0 && rows.last().phase == 1.0);
        QCLOSE(rows[1999].amplitude, 2.0 + 2.0 * 499 / 999, 1e-12);
        QCLOSE(rows[1999].phase, 499.0 / 999, 1e-12);
    }
};

int runSpectraTests(int argc, char **argv)
{
    TestSpectra test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_RhoworksCalc.moc"
