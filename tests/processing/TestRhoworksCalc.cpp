// The spectrum driver against spectra computed by a direct DFT and calibrated by hand.
#include <QSignalSpy>
#include <QtTest>
#include <cmath>
#include <complex>

#include "ChannelSpectraRun.h"
#include "Data_RhoworksCalc.h"
#include "FrequencyTables.h"
#include "ProcessingFixtures.h"
#include "ProcessingTests.h"

using namespace Fixtures;
using Spectrum = QList<OneFreqSpectrum>;

namespace {

constexpr int kN = 64;
constexpr double kFs = 64.0;
const QStringList kNames{"Ex", "Ey", "Ex2", "Hx", "Hy"};
const int kCodes[] = {1, 2, 5, 3, 4};
const double kDipoles[] = {40.0, 50.0, 80.0, 0.0, 0.0};

// Flat tables that differ per channel, so a mix-up shows: sensor 1.5 + slot at 10 * slot
// degrees, gain 4 + slot at 5 * slot degrees.
double sensorGain(int slot) { return 1.5 + slot; }
double gainGain(int slot) { return 4.0 + slot; }
double tablePhase(int slot) { return 15.0 * slot * M_PI / 180.0; }

QVector<double> segmentOf(int slot, int s)
{
    QVector<double> samples = randomSamples(kN, 100 * slot + s);
    for (double &v : samples)
        v *= slot < 3 ? 50.0 : 2.0;
    return samples;
}

// Mean over segments of the four cross-power entries, compared entry by entry with the result
// (over the first `lines` lines when given).
void compareStack(const QVector<OneFreqCrossPower> &actual, const QList<Spectrum> &e,
                  const QList<Spectrum> &h, int lines = -1)
{
    QVERIFY(!e.isEmpty());
    QCOMPARE(actual.size(), e.first().size());
    for (int k = 0; k < (lines < 0 ? actual.size() : lines); ++k) {
        std::complex<double> sums[4];
        for (int s = 0; s < e.size(); ++s) {
            const std::complex<double> a = complexOf(e[s][k]), b = complexOf(h[s][k]);
            sums[0] += a * std::conj(a);
            sums[1] += a * std::conj(b);
            sums[2] += b * std::conj(a);
            sums[3] += b * std::conj(b);
        }
        const double scale = std::sqrt(std::abs(sums[0]) * std::abs(sums[3])) / e.size();
        QCOMPARE(actual[k].freq, e.first()[k].freq);
        for (int entry = 0; entry < 4; ++entry) {
            const gsl_complex z = actual[k].crossPower[entry];
            const std::complex<double> expected = sums[entry] / double(e.size());
            QVERIFY2(std::abs(std::complex<double>(GSL_REAL(z), GSL_IMAG(z)) - expected) <= 1e-9 * scale,
                     qPrintable(QString("line %1 entry %2").arg(k).arg(entry)));
        }
    }
}

} // namespace

class TestRhoworksCalc : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString sensorPath(int slot) const { return dir.filePath(QString("sensor-%1.txt").arg(slot)); }
    QString gainPath(int slot) const { return dir.filePath(QString("gain-%1.txt").arg(slot)); }

    QList<MTSampleData> descriptors() const
    {
        QList<MTSampleData> list;
        for (int slot = 0; slot < 5; ++slot) {
            MTSampleData d;
            d.channel = kCodes[slot];
            d.sampleFrequency = int(kFs);
            d.dipoleLength = float(kDipoles[slot]);
            d.sensorFile = sensorPath(slot);
            d.gainFile = gainPath(slot);
            list.append(d);
        }
        return list;
    }

    // The calibrated reference of segment s of a channel (electric samples to mV/km first).
    Spectrum rawReference(int slot, int s) const
    {
        QVector<double> samples = segmentOf(slot, s);
        if (kDipoles[slot] > 0)
            for (double &v : samples)
                v = v * 1000.0 / kDipoles[slot];
        return referenceSpectrum(samples, kFs);
    }
    Spectrum calibratedReference(int slot, int s) const
    {
        return divided(rawReference(slot, s), sensorGain(slot) * gainGain(slot), tablePhase(slot));
    }
    QList<Spectrum> calibratedReferences(int slot, int segments) const
    {
        QList<Spectrum> list;
        for (int s = 0; s < segments; ++s)
            list.append(calibratedReference(slot, s));
        return list;
    }

    void giveSegments(Data_RhoworksCalc &calc, int slot, int segments) const
    {
        QList<QVector<double>> list;
        for (int s = 0; s < segments; ++s)
            list.append(segmentOf(slot, s));
        QVERIFY(calc.setChannelSegments(kNames[slot], list));
    }

private slots:
    void initTestCase()
    {
        for (int slot = 0; slot < 5; ++slot) {
            QVERIFY(writeFlatTable(sensorPath(slot), sensorGain(slot), 10.0 * slot));
            QVERIFY(writeFlatTable(gainPath(slot), gainGain(slot), 5.0 * slot));
        }
    }

    void channelRunOfFiveChannels()
    {
        Data_RhoworksCalc calc;
        QSignalSpy finished(&calc, &Data_RhoworksCalc::interpfinished);
        calc.setSampleList(descriptors(), kNames);
        for (int slot = 0; slot < 5; ++slot)
            giveSegments(calc, slot, 3);
        calc.calcChannelSpectra(kN);
        QCOMPARE(finished.count(), 1);

        for (int slot = 0; slot < 5; ++slot) {
            QList<QVector<double>> raw, calibrated;
            QVector<double> stacked;
            QVERIFY(calc.channelResults(kNames[slot], raw, calibrated, stacked));
            QCOMPARE(raw.size(), 3);
            QCOMPARE(calibrated.size(), 3);
            QCOMPARE(stacked.size(), kN / 2);
            for (int k = 0; k < kN / 2; ++k) {
                double sum = 0.0, phaseSum = 0.0;
                for (int s = 0; s < 3; ++s) {
                    QCLOSE(raw[s][k], rawReference(slot, s)[k].amplitude, 1e-7);
                    QCLOSE(calibrated[s][k], calibratedReference(slot, s)[k].amplitude, 1e-7);
                    sum += calibratedReference(slot, s)[k].amplitude;
                    phaseSum += calibratedReference(slot, s)[k].phase;
                }
                QCLOSE(stacked[k], sum / 3, 1e-7);
                // The Nyquist line is real: its phase is +pi or -pi by the sign of a rounding error.
                if (k < kN / 2 - 1)
                    QVERIFY(std::fabs(calc.meanSpectrum(kNames[slot])[k].phase - phaseSum / 3) < 1e-6);
            }
        }

        QVector<OneFreqCrossPower> exHy, eyHy, ex2Hy, meanEHy;
        calc.crossPowerResults(exHy, eyHy, ex2Hy, meanEHy);
        const QList<Spectrum> ex = calibratedReferences(0, 3), ey = calibratedReferences(1, 3),
                              ex2 = calibratedReferences(2, 3), hx = calibratedReferences(3, 3),
                              hy = calibratedReferences(4, 3);
        compareStack(exHy, ex, hy);
        compareStack(eyHy, ey, hy);
        compareStack(ex2Hy, ex2, hy);
        QList<Spectrum> meanE;
        for (int s = 0; s < 3; ++s) {
            Spectrum mean;
            for (int k = 0; k < kN / 2; ++k)
                mean.append({ex[s][k].freq, (ex[s][k].amplitude + ey[s][k].amplitude + ex2[s][k].amplitude) / 3,
                             (ex[s][k].phase + ey[s][k].phase + ex2[s][k].phase) / 3});
            meanE.append(mean);
        }
        // The phase of the real Nyquist line is +-pi by a rounding sign, which changes a phase mean.
        compareStack(meanEHy, meanE, hy, kN / 2 - 1);
        compareStack(calc.stackedCrossPowerExEy(), ex, ey);
        compareStack(calc.stackedCrossPowerHxHy(), hx, hy);
    }

    // Second run: Ey's table cannot be loaded, Ex2 is not listed, Hy has one segment fewer, "Hz"
    // is no channel. Ey keeps its earlier results and joins no cross power; the others pair over
    // the segments both channels have.
    void skippedAndShortChannels()
    {
        Data_RhoworksCalc calc;
        QSignalSpy finished(&calc, &Data_RhoworksCalc::interpfinished);
        calc.setSampleList(descriptors(), kNames);
        for (int slot = 0; slot < 5; ++slot)
            giveSegments(calc, slot, 2);
        calc.calcChannelSpectra(kN);
        QList<QVector<double>> rawBefore, raw, calibrated;
        QVector<double> stackedBefore, stacked;
        calc.channelResults("Ey", rawBefore, calibrated, stackedBefore);

        QList<MTSampleData> broken = descriptors();
        broken[1].sensorFile = dir.filePath("no-such-table.txt");
        calc.setSampleList(broken, {"Ex", "Ey", "Hx", "Hy", "Hz"});
        calc.setChannelSegments("Ey", {segmentOf(0, 7)});
        giveSegments(calc, 4, 1);
        calc.calcChannelSpectra(kN);
        QCOMPARE(finished.count(), 2);
        calc.channelResults("Ey", raw, calibrated, stacked);
        QVERIFY(raw == rawBefore && stacked == stackedBefore);
        QVERIFY(!calc.channelResults("Hz", raw, calibrated, stacked));
        QVector<OneFreqCrossPower> exHy, eyHy, ex2Hy, meanEHy;
        calc.crossPowerResults(exHy, eyHy, ex2Hy, meanEHy);
        QVERIFY(eyHy.isEmpty() && ex2Hy.isEmpty() && meanEHy.isEmpty() && calc.stackedCrossPowerExEy().isEmpty());
        compareStack(exHy, calibratedReferences(0, 1), calibratedReferences(4, 1));
        compareStack(calc.stackedCrossPowerHxHy(), calibratedReferences(3, 1), calibratedReferences(4, 1));
    }

    // Pairs calibrate with their own tables; the later pair on Hy (Ex2Hy) leaves its Hy results.
    void pairRun()
    {
        const QString otherSensor = dir.filePath("hy-other-sensor.txt"), otherGain = dir.filePath("hy-other-gain.txt");
        QVERIFY(writeFlatTable(otherSensor, 9.0, 0.0));
        QVERIFY(writeFlatTable(otherGain, 11.0, 30.0));
        auto pair = [this](const QString &name, int e, int h) {
            OneMTSample p;
            p.sampleFrequency = int(kFs);
            p.dipoleLength = float(kDipoles[e]);
            p.eSensorFile = sensorPath(e);
            p.eGainFile = gainPath(e);
            p.hSensorFile = sensorPath(h);
            p.hGainFile = gainPath(h);
            p.pairName = name;
            return p;
        };
        OneMTSample ex2Hy = pair("Ex2Hy", 2, 4);
        ex2Hy.hSensorFile = otherSensor;
        ex2Hy.hGainFile = otherGain;
        Data_RhoworksCalc calc;
        QSignalSpy finished(&calc, &Data_RhoworksCalc::interpfinished);
        calc.setOneSampleList({pair("EyHx", 1, 3), pair("ExHy", 0, 4), ex2Hy}, {"Ex", "Ey", "Ex2", "Hx", "Hy"});
        for (int slot = 0; slot < 5; ++slot)
            giveSegments(calc, slot, 3);
        calc.calcPairSpectra(kN);
        QCOMPARE(finished.count(), 1);

        QList<QVector<double>> raw, calibrated;
        QVector<double> stacked;
        calc.channelResults("Hy", raw, calibrated, stacked);
        QCOMPARE(calibrated.size(), 3);
        const Spectrum hyOther = divided(rawReference(4, 1), 99.0, M_PI / 6);
        for (int k = 0; k < kN / 2; ++k)
            QCLOSE(calibrated[1][k], hyOther[k].amplitude, 1e-7);
        calc.channelResults("Hx", raw, calibrated, stacked);
        QCLOSE(calibrated[2][5], calibratedReference(3, 2)[5].amplitude, 1e-7);
        compareStack(calc.stackedCrossPowerExEy(), calibratedReferences(0, 3), calibratedReferences(1, 3));
        QList<Spectrum> hy;
        for (int s = 0; s < 3; ++s)
            hy.append(divided(rawReference(4, s), 99.0, M_PI / 6));
        compareStack(calc.stackedCrossPowerHxHy(), calibratedReferences(3, 3), hy);
        QVector<OneFreqCrossPower> exHyStack, eyHy, ex2HyStack, meanEHy;
        calc.crossPowerResults(exHyStack, eyHy, ex2HyStack, meanEHy);
        QVERIFY(exHyStack.isEmpty());
    }

    // A run of more segments than the listing budget holds lists every k-th segment; the stack
    // still covers all of them. Segment s is an impulse of height s + 1, whose spectrum is flat.
    void longRunListsEveryKthSegment()
    {
        ChannelSpectraRun::Job job;
        job.slot = Slot_Hx;
        for (int s = 0; s < 9; ++s) {
            QVector<double> impulse(kN, 0.0);
            impulse[0] = s + 1;
            job.segments.append(impulse);
        }
        job.segmentCount = 9;
        job.fs = kFs;
        job.sensor = QVector<OneFreqCheck>(kN / 2, OneFreqCheck{0, 2.0, 0}).toList();
        job.gain = QVector<OneFreqCheck>(kN / 2, OneFreqCheck{0, 5.0, 0}).toList();
        ChannelSpectraRun run(kN, false, 4 * kN / 2);  // room for four listed segments
        int indexes = 0;
        run.run({job}, [&indexes](const ChannelSpectraRun::SegmentSpectra &spectra) {
            indexes += spectra[Slot_Hx].isEmpty() ? 0 : 1;
        });
        QCOMPARE(indexes, 9);
        const ChannelSpectraSet result = run.result(0);
        const double line = std::sqrt(2.0 / (kN * kFs));  // spectrum of a unit impulse
        QCOMPARE(result.rawAmplitudes.size(), 3);
        for (int listed = 0; listed < 3; ++listed) {
            QCLOSE(result.rawAmplitudes[listed][7], (3 * listed + 1) * line, 1e-12);
            QCLOSE(result.calibratedAmplitudes[listed][7], (3 * listed + 1) * line / 10, 1e-12);
        }
        QCLOSE(result.stackedAmplitudes[11], 5 * line / 10, 1e-12);
    }

    // A 16384-sample segment at 4096 Hz: 8192 lines at multiples of 0.25 Hz.
    void longSegmentLines()
    {
        MTSampleData hy = descriptors()[4];
        hy.sampleFrequency = 4096;
        Data_RhoworksCalc calc;
        calc.setSampleList({hy}, {"Hy"});
        calc.setChannelSegments("Hy", {randomSamples(16384, 3)});
        calc.calcChannelSpectra(16384);
        const QVector<OneFreqSpectrum> mean = calc.meanSpectrum("Hy");
        QCOMPARE(mean.size(), 8192);
        QCOMPARE(mean.first().freq, 0.25);
        QCOMPARE(mean.last().freq, 2048.0);
    }

    // Impulse segments give a flat calibrated spectrum, so every band average equals it.
    void stationSpectrum()
    {
        auto impulses = [](int n, double height) {
            QVector<double> impulse(n, 0.0);
            impulse[0] = height;
            return QList<QVector<double>>{impulse, impulse};
        };
        const double calibration = sensorGain(4) * gainGain(4);
        Data_RhoworksCalc calc;
        QMap<double, double> spectrum;
        QVERIFY(calc.calcStationSpectrum(impulses(1024, 3.0), 2000, 1024, gainPath(4), sensorPath(4), spectrum));
        const double low = 3.0 * std::sqrt(2.0 / (1024 * 2000.0)) / calibration;
        QCOMPARE(spectrum.keys(), FrequencyTables::within(FrequencyTables::standardFrequencies(), 10, 1000));
        QCLOSE(spectrum.value(794.0), low, 1e-12);

        QVERIFY(calc.calcStationSpectrum(impulses(2048, 1.0), 24000, 2048, gainPath(4), sensorPath(4), spectrum));
        const double high = std::sqrt(2.0 / (2048 * 24000.0)) / calibration;
        QCOMPARE(spectrum.size(), 21 + 10);
        QCLOSE(spectrum.value(10.0), low, 1e-12);
        QCLOSE(spectrum.value(1000.0), (low + high) * 0.5, 1e-12);
        QCLOSE(spectrum.value(10000.0), high, 1e-12);

        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("cannot load"));
        QVERIFY(!calc.calcStationSpectrum(impulses(1024, 1.0), 2000, 1024, gainPath(4), dir.filePath("none.txt"), spectrum));
        QCOMPARE(spectrum.size(), 31);
    }

    // Lines at 1.05 Hz spacing: the band of 1.58 Hz, (1.106, 2.054), holds none and is left out.
    void stationSpectrumSkipsEmptyBands()
    {
        QVector<double> impulse(8, 0.0);
        impulse[0] = 1.0;
        Data_RhoworksCalc calc;
        QMap<double, double> spectrum;
        QVERIFY(calc.calcStationSpectrum({impulse}, 8.4, 8, gainPath(4), sensorPath(4), spectrum));
        QCOMPARE(spectrum.keys(), (QList<double>{1.26, 2.0, 2.51, 3.16, 3.98}));
    }
};

int runRhoworksCalcTests(int argc, char **argv)
{
    TestRhoworksCalc test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestRhoworksCalc.moc"
