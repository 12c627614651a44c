// The spectrum driver on segments streamed from the channel files against the same driver on the
// segment lists a reader returns (to the bit: the same samples must give the same numbers), and
// both against the spectra computed the long way: every segment through Spectrix's described
// transform, calibrated as amplitude and phase, averaged and cross-multiplied by definition.

#include <QTemporaryDir>
#include <QtTest>
#include <complex>
#include <gsl/gsl_errno.h>

#include "ChannelSlot.h"
#include "Data_RhoworksCalc.h"
#include "ParallelFor.h"
#include "SpectrumCalibration.h"
#include "Spectrix.h"
#include "TensorStationFiles.h"
#include "Wavefile.h"

using cd = std::complex<double>;
using Spectra = QList<QList<OneFreqSpectrum>>;  // segment, line

namespace {

constexpr int kN = 2048;
const QStringList kNames{"Ex", "Ey", "Ex2", "Hx", "Hy"};  // in slot order

struct Outputs {
    std::array<QList<QVector<double>>, kChannelSlotCount> raw, calibrated;
    std::array<QVector<double>, kChannelSlotCount> stacked;
    std::array<QVector<OneFreqSpectrum>, kChannelSlotCount> mean;
    QList<QVector<OneFreqCrossPower>> crossPowers;  // ExHy, EyHy, Ex2Hy, mean E Hy, ExEy, EyHx, HxHy
};

Outputs outputsOf(const Data_RhoworksCalc &calc)
{
    Outputs o;
    for (int slot = 0; slot < kChannelSlotCount; ++slot) {
        calc.channelResults(kNames[slot], o.raw[slot], o.calibrated[slot], o.stacked[slot]);
        o.mean[slot] = calc.meanSpectrum(kNames[slot]);
    }
    QVector<OneFreqCrossPower> exHy, eyHy, ex2Hy, meanEHy;
    calc.crossPowerResults(exHy, eyHy, ex2Hy, meanEHy);
    o.crossPowers << exHy << eyHy << ex2Hy << meanEHy << calc.stackedCrossPowerExEy()
                  << calc.stackedCrossPowerEyHx() << calc.stackedCrossPowerHxHy();
    return o;
}

bool sameCrossPowers(const QVector<OneFreqCrossPower> &a, const QVector<OneFreqCrossPower> &b)
{
    if (a.size() != b.size())
        return false;
    for (int k = 0; k < a.size(); ++k) {
        if (a[k].freq != b[k].freq || a[k].crossPower.size() != b[k].crossPower.size())
            return false;
        for (int e = 0; e < a[k].crossPower.size(); ++e)
            if (GSL_REAL(a[k].crossPower[e]) != GSL_REAL(b[k].crossPower[e])
                || GSL_IMAG(a[k].crossPower[e]) != GSL_IMAG(b[k].crossPower[e]))
                return false;
    }
    return true;
}

// Calibrated spectra of a channel's segments the long way; raw gets the uncalibrated amplitudes.
Spectra longWaySpectra(const MTSampleData &d, int limit, QList<QVector<double>> &raw)
{
    Wavefile reader;
    QList<OneFreqCheck> sensor, gain;
    if (!reader.getTimeSeries(d.dataFile, d.countScale, d.sampleCount, kN, limit)
        || !SpectrumCalibration::loadSensorTable(d.sensorFile, kN, d.sampleFrequency, sensor)
        || !SpectrumCalibration::loadGainTable(d.gainFile, kN, d.sampleFrequency, gain))
        return {};
    Spectrix spectrix;
    Spectra spectra;
    for (QVector<double> segment : reader.getTsData()) {
        if (d.dipoleLength > 0)
            segment = SpectrumCalibration::scaleElectric(segment, d.dipoleLength);
        const QList<OneFreqSpectrum> lines = spectrix.FastFFTTranform(spectrix.WndFunc(segment, 1, kN), kN, d.sampleFrequency);
        raw.append(SpectrumCalibration::amplitudesOf(lines));
        spectra.append(SpectrumCalibration::calibrateSpectrum(lines, sensor, gain, true));
    }
    return spectra;
}

// Line by line, amplitudes and phases of the three electric channels averaged as numbers.
Spectra meanElectric(const Spectra &ex, const Spectra &ey, const Spectra &ex2)
{
    Spectra mean = ex;
    for (int s = 0; s < mean.size(); ++s)
        for (int k = 0; k < mean[s].size(); ++k) {
            mean[s][k].amplitude = (ey[s][k].amplitude + ex[s][k].amplitude + ex2[s][k].amplitude) / 3.0;
            mean[s][k].phase = (ey[s][k].phase + ex[s][k].phase + ex2[s][k].phase) / 3.0;
        }
    return mean;
}

void expectClose(double got, double want, double scale, const QString &what)
{
    QVERIFY2(std::fabs(got - want) <= 1e-12 * scale,
             qPrintable(QString("%1: %2 against %3").arg(what).arg(got, 0, 'g', 17).arg(want, 0, 'g', 17)));
}

// Every entry of the stacked matrices to 1e-12 of its line's scale: |ee| for ee, |hh| for hh and
// sqrt(|ee| |hh|) for the cross entries.
void expectCrossPowers(const QVector<OneFreqCrossPower> &got, const Spectra &e, const Spectra &h, const QString &what)
{
    QCOMPARE(got.size(), kN / 2);
    for (int k = 0; k < kN / 2; ++k) {
        cd sums[4];
        for (int s = 0; s < e.size(); ++s) {
            const cd a = std::polar(e[s][k].amplitude, e[s][k].phase), b = std::polar(h[s][k].amplitude, h[s][k].phase);
            sums[0] += a * std::conj(a), sums[1] += a * std::conj(b), sums[2] += b * std::conj(a), sums[3] += b * std::conj(b);
        }
        const double ee = std::abs(sums[0]) / e.size(), hh = std::abs(sums[3]) / e.size();
        const double scales[4] = {ee, std::sqrt(ee * hh), std::sqrt(ee * hh), hh};
        QCOMPARE(got[k].freq, e.first()[k].freq);
        QCOMPARE(got[k].crossPower.size(), 4);
        for (int j = 0; j < 4; ++j) {
            const cd value(GSL_REAL(got[k].crossPower[j]), GSL_IMAG(got[k].crossPower[j]));
            QVERIFY2(std::abs(value - sums[j] / double(e.size())) <= 1e-12 * scales[j],
                     qPrintable(QString("%1 line %2 entry %3: %4 %5 against %6 %7 (scale %8)").arg(what).arg(k + 1).arg(j)
                                .arg(value.real(), 0, 'g', 17).arg(value.imag(), 0, 'g', 17)
                                .arg((sums[j] / double(e.size())).real(), 0, 'g', 17)
                                .arg((sums[j] / double(e.size())).imag(), 0, 'g', 17).arg(scales[j])));
        }
    }
}

} // namespace

class TestSpectraStreaming : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void streamedMatchesListsAndLongWay_data();
    void streamedMatchesListsAndLongWay();
    void unreadableFileSkipsItsChannel_data();
    void unreadableFileSkipsItsChannel();

private:
    QList<OneMTSample> pairs() const;
    void loadLists(Data_RhoworksCalc &calc, int limit) const;
    bool run(Data_RhoworksCalc &calc, bool channelRun, bool fromFiles, int limit) const;
    void expectLongWay(const Outputs &o, bool channelRun, int limit) const;

    QTemporaryDir work;
    std::array<MTSampleData, kChannelSlotCount> channels;  // by slot
};

void TestSpectraStreaming::initTestCase()
{
    gsl_set_error_handler_off();
    StationPlan plan;
    RecordingPlan &recording = plan.recordings.first();  // 24 kHz
    recording.seconds = 8;
    recording.seed = 11;
    QList<MTSampleData> written;
    QVERIFY(TensorStationFiles::write(work.path(), plan, written));
    QCOMPARE(written.size(), kChannelSlotCount);
    for (const MTSampleData &d : written)
        channels[size_t(ChannelSlots::slotOfCode(d.channel))] = d;
}

QList<OneMTSample> TestSpectraStreaming::pairs() const
{
    QList<OneMTSample> list;
    const int electric[] = {Slot_Ex, Slot_Ey, Slot_Ex2}, magnetic[] = {Slot_Hy, Slot_Hx, Slot_Hy};
    const char *names[] = {"ExHy", "EyHx", "Ex2Hy"};
    for (int i = 0; i < 3; ++i) {
        const MTSampleData &e = channels[size_t(electric[i])], &h = channels[size_t(magnetic[i])];
        list.append({e.sampleCount, e.sampleFrequency, 0, e.countScale, 0, e.dipoleLength, e.gainFile,
                     h.gainFile, e.dataFile, h.dataFile, e.sensorFile, h.sensorFile, names[i]});
    }
    return list;
}

void TestSpectraStreaming::loadLists(Data_RhoworksCalc &calc, int limit) const
{
    for (int slot = 0; slot < kChannelSlotCount; ++slot) {
        const MTSampleData &d = channels[size_t(slot)];
        Wavefile reader;
        QVERIFY(reader.getTimeSeries(d.dataFile, d.countScale, d.sampleCount, kN, limit));
        calc.setChannelSegments(kNames[slot], reader.getTsData());
    }
}

bool TestSpectraStreaming::run(Data_RhoworksCalc &calc, bool channelRun, bool fromFiles, int limit) const
{
    if (channelRun)
        calc.setSampleList(QList<MTSampleData>(channels.begin(), channels.end()), kNames);
    else
        calc.setOneSampleList(pairs(), kNames);
    calc.setStreamFromFiles(fromFiles, limit);
    if (!fromFiles)
        loadLists(calc, limit);
    return channelRun ? calc.calcChannelSpectra(kN) : calc.calcPairSpectra(kN);
}

void TestSpectraStreaming::expectLongWay(const Outputs &o, bool channelRun, int limit) const
{
    std::array<Spectra, kChannelSlotCount> spectra;
    for (int slot = 0; slot < kChannelSlotCount; ++slot) {
        QList<QVector<double>> raw;
        spectra[size_t(slot)] = longWaySpectra(channels[size_t(slot)], limit, raw);
        const Spectra &s = spectra[size_t(slot)];
        QCOMPARE(o.raw[slot].size(), s.size());
        QCOMPARE(o.calibrated[slot].size(), s.size());
        QCOMPARE(o.stacked[slot].size(), kN / 2);
        for (int k = 0; k < kN / 2; ++k) {
            double amplitudes = 0, phases = 0;
            for (int i = 0; i < s.size(); ++i) {
                expectClose(o.raw[slot][i][k], raw[i][k], raw[i][k], "raw amplitude");
                expectClose(o.calibrated[slot][i][k], s[i][k].amplitude, s[i][k].amplitude, "calibrated amplitude");
                amplitudes += s[i][k].amplitude;
                phases += s[i][k].phase;
            }
            expectClose(o.stacked[slot][k], amplitudes / s.size(), amplitudes / s.size(), "stacked amplitude");
            // The real Nyquist line's phase is +-pi by the sign of a rounding.
            if (channelRun && k < kN / 2 - 1) {
                expectClose(o.mean[slot][k].amplitude, amplitudes / s.size(), amplitudes / s.size(), "mean amplitude");
                expectClose(o.mean[slot][k].phase, phases / s.size(), M_PI, "mean phase");
            }
        }
    }
    if (channelRun) {
        expectCrossPowers(o.crossPowers[0], spectra[Slot_Ex], spectra[Slot_Hy], "ExHy");
        expectCrossPowers(o.crossPowers[1], spectra[Slot_Ey], spectra[Slot_Hy], "EyHy");
        expectCrossPowers(o.crossPowers[2], spectra[Slot_Ex2], spectra[Slot_Hy], "Ex2Hy");
        expectCrossPowers(o.crossPowers[3], meanElectric(spectra[Slot_Ex], spectra[Slot_Ey], spectra[Slot_Ex2]),
                          spectra[Slot_Hy], "mean E Hy");
    }
    expectCrossPowers(o.crossPowers[4], spectra[Slot_Ex], spectra[Slot_Ey], "ExEy");
    expectCrossPowers(o.crossPowers[5], spectra[Slot_Ey], spectra[Slot_Hx], "EyHx");
    expectCrossPowers(o.crossPowers[6], spectra[Slot_Hx], spectra[Slot_Hy], "HxHy");
}

void TestSpectraStreaming::streamedMatchesListsAndLongWay_data()
{
    QTest::addColumn<bool>("channelRun");
    QTest::addColumn<int>("segmentLimit");
    QTest::addColumn<int>("threads");
    QTest::newRow("channel run, every segment, one thread") << true << 0 << 1;
    QTest::newRow("channel run, 20 segments, two threads") << true << 20 << 2;
    QTest::newRow("pair run, every segment, two threads") << false << 0 << 2;
    QTest::newRow("pair run, 20 segments, one thread") << false << 20 << 1;
}

void TestSpectraStreaming::streamedMatchesListsAndLongWay()
{
    QFETCH(bool, channelRun);
    QFETCH(int, segmentLimit);
    QFETCH(int, threads);
    const int machine = ParallelFor::threadCount();
    ParallelFor::setThreadCount(threads);
    Data_RhoworksCalc listed, streamed;
    const bool ran = run(listed, channelRun, false, segmentLimit) && run(streamed, channelRun, true, segmentLimit);
    ParallelFor::setThreadCount(machine);
    QVERIFY(ran);
    const Outputs fromLists = outputsOf(listed), fromFiles = outputsOf(streamed);
    for (int slot = 0; slot < kChannelSlotCount; ++slot) {
        QVERIFY(fromFiles.raw[slot] == fromLists.raw[slot]);
        QVERIFY(fromFiles.calibrated[slot] == fromLists.calibrated[slot]);
        QVERIFY(fromFiles.stacked[slot] == fromLists.stacked[slot]);
        QCOMPARE(fromFiles.mean[slot].size(), fromLists.mean[slot].size());
        for (int k = 0; k < fromLists.mean[slot].size(); ++k)
            QVERIFY(fromFiles.mean[slot][k].amplitude == fromLists.mean[slot][k].amplitude
                    && fromFiles.mean[slot][k].phase == fromLists.mean[slot][k].phase);
    }
    for (int pair = 0; pair < fromLists.crossPowers.size(); ++pair)
        QVERIFY2(sameCrossPowers(fromFiles.crossPowers[pair], fromLists.crossPowers[pair]), qPrintable(QString::number(pair)));
    expectLongWay(fromFiles, channelRun, segmentLimit);
}

void TestSpectraStreaming::unreadableFileSkipsItsChannel_data()
{
    QTest::addColumn<int>("badSegment");  // -1: the file is missing
    QTest::newRow("file missing") << -1;
    QTest::newRow("text recording, bad sample in the sixth segment") << 5;
}

// A channel whose file cannot be read, from the start or part way, is skipped like one whose table
// cannot be loaded: it keeps the results of the run before and joins no cross power; the other
// channels are computed.
void TestSpectraStreaming::unreadableFileSkipsItsChannel()
{
    QFETCH(int, badSegment);
    Data_RhoworksCalc calc;
    QVERIFY(run(calc, true, true, 10));
    const Outputs before = outputsOf(calc);
    QList<MTSampleData> broken(channels.begin(), channels.end());
    broken[Slot_Ey].dataFile = work.filePath("no-such-recording.dat");
    if (badSegment >= 0) {
        // Ey's samples in mV, one per line, with a line that is no number inside segment badSegment.
        Wavefile reader;
        const MTSampleData &ey = channels[Slot_Ey];
        QVERIFY(reader.getTimeSeries(ey.dataFile, ey.countScale, ey.sampleCount, kN, 0));
        broken[Slot_Ey].dataFile = work.filePath("ey-broken.txt");
        broken[Slot_Ey].countScale = 1.0f;
        QFile text(broken[Slot_Ey].dataFile);
        QVERIFY(text.open(QIODevice::WriteOnly | QIODevice::Text));
        QTextStream out(&text);
        out.setRealNumberPrecision(17);
        for (int segment = 0; segment < reader.getTsData().size(); ++segment)
            for (int i = 0; i < kN; ++i)
                out << (segment == badSegment && i == kN / 2 ? QString("1.5x") : QString::number(reader.getTsData()[segment][i], 'g', 17)) << '\n';
    }
    calc.setSampleList(broken, kNames);
    calc.setStreamFromFiles(true, 20);
    QVERIFY(calc.calcChannelSpectra(kN));
    const Outputs after = outputsOf(calc);
    QVERIFY(after.raw[Slot_Ey] == before.raw[Slot_Ey] && after.stacked[Slot_Ey] == before.stacked[Slot_Ey]);
    QCOMPARE(before.raw[Slot_Ey].size(), 10);
    QCOMPARE(after.raw[Slot_Ex].size(), 20);
    for (int pair : {1, 3, 4, 5})  // EyHy, mean E Hy, ExEy, EyHx
        QVERIFY2(after.crossPowers[pair].isEmpty(), qPrintable(QString::number(pair)));
    for (int pair : {0, 2, 6})
        QCOMPARE(after.crossPowers[pair].size(), kN / 2);
}

QTEST_GUILESS_MAIN(TestSpectraStreaming)
#include "tst_SpectraStreaming.moc"
