// The regression estimator on recordings written by the survey generator (through their sensor,
// gain and converter chains) against the earth models: every element of a rotated
// two-dimensional tensor down to the lowest frequency the cascade reaches with eight segments;
// the true phase (no compression); error bars that cover the model; and a 24000 Hz station whose
// Ex carries spikes in a tenth of the segments, or whose Hx and Hy carry strong coherent
// narrowband noise (all the time, or in bursts in a tenth of the segments), where the regression
// stays within 5 % / 2 degrees and the plain cross-power mean does not.

#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <gsl/gsl_errno.h>

#include "DemoSurvey.h"
#include "EstimatorStation.h"
#include "ParallelFor.h"
#include "RegressionCurves.h"
#include "RegressionEstimator.h"
#include "Rhoworks.h"

namespace {

using cd = std::complex<double>;
constexpr double kPi = 3.14159265358979323846;

double rhoOf(cd z, double f) { return std::norm(z) / (5 * f); }
double phaseOf(cd z) { return std::arg(z) * 180 / kPi; }
double wrapped(double degrees) { return std::remainder(degrees, 360.0); }

QString describe(double f, double rhoError, double phaseError)
{
    return QString("%1 Hz: rho %2 %, phase %3 deg").arg(f).arg(100 * rhoError, 0, 'f', 2).arg(phaseError, 0, 'f', 2);
}

// The three-layer earth for xy and a 30 ohm-m over 300 ohm-m earth for yx, turned by 30 degrees.
StationModel twoDimensionalModel()
{
    return StationModel(DemoSurvey::threeLayerEarth(), LayeredEarth({{30.0, 500.0}}, 300.0), 30.0);
}

enum Damage { Clean, Spikes, NarrowbandH, NarrowbandHBursts };

// The largest misfits of the regression's Ex/Hy curve to the earth from 93.75 Hz to 6000 Hz.
struct Misfit {
    double worstRho = 0, worstPhase = 0;
    int compared = 0;
    QString text;
};

Misfit regressionMisfit(const RegressionRequest &request, const LayeredEarth &earth)
{
    Misfit misfit;
    QVector<RegressionEstimate> estimates;
    if (!RegressionEstimator::run(request, estimates, misfit.text))
        return {1e9, 1e9, 0, misfit.text};
    QVector<OneFreqImpedance> curve;
    QVector<ImpedanceErrorBar> bars;
    RegressionCurves::elementCurve(estimates, 0, 1, curve, bars);
    for (const OneFreqImpedance &r : curve) {
        if (r.freq < 93.75 || r.freq > 6000)
            continue;
        ++misfit.compared;
        const double rhoError = r.rho / earth.apparentResistivity(r.freq) - 1;
        const double phaseError = r.phase - earth.phaseDegrees(r.freq);
        misfit.worstRho = std::max(misfit.worstRho, std::fabs(rhoError));
        misfit.worstPhase = std::max(misfit.worstPhase, std::fabs(phaseError));
    }
    misfit.text = QString("%1 frequencies, rho within %2 %, phase within %3 deg").arg(misfit.compared)
                      .arg(100 * misfit.worstRho, 0, 'f', 2).arg(misfit.worstPhase, 0, 'f', 2);
    return misfit;
}

}  // namespace

class TestEstimatorPhysics : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyElementDownToTheLowestReach();
    void errorBarsCoverTheModel();
    void resistsDamage_data();
    void resistsDamage();

private:
    QTemporaryDir dir;
};

void TestEstimatorPhysics::initTestCase()
{
    gsl_set_error_handler_off();
    QVERIFY(dir.isValid());
}

// 26 s at 24000 Hz: the sixth level (rate 23.4 Hz) holds exactly 8 segments of 128 samples, so
// the lowest frequency is 1.58 Hz on lines 7..10 of that level (1.185 .. 1.975 Hz, lines 0.18 Hz
// apart; 1.26 Hz would have three lines only).
void TestEstimatorPhysics::everyElementDownToTheLowestReach()
{
    StationPlan station;
    station.model = twoDimensionalModel();
    station.recordings.first().seconds = 26;
    station.recordings.first().seed = 5;
    EstimatorStation::Written written;
    QVERIFY(EstimatorStation::write(dir.filePath("rotated"), station, written));
    QVector<RegressionEstimate> estimates;
    QString failure;
    QVERIFY2(RegressionEstimator::run(written.request, estimates, failure), qPrintable(failure));
    QCOMPARE(estimates.first().freq, 1.58);
    QCOMPARE(estimates.first().level, 5);
    QCOMPARE(estimates.first().fits[0].rows, 8 * 4);  // all eight segments, four lines each
    // The bands are fitted on the pool's threads; one thread gives the same numbers.
    QVector<RegressionEstimate> oneThread;
    const int machine = ParallelFor::threadCount();
    ParallelFor::setThreadCount(1);
    QVERIFY(RegressionEstimator::run(written.request, oneThread, failure));
    ParallelFor::setThreadCount(machine);
    QCOMPARE(oneThread.size(), estimates.size());
    for (int b = 0; b < estimates.size(); ++b)
        for (int o = 0; o < 2; ++o)
            for (int k = 0; k < 2; ++k) {
                QCOMPARE(oneThread[b].fits[o].z[k], estimates[b].fits[o].z[k]);
                QCOMPARE(oneThread[b].fits[o].standardError[k], estimates[b].fits[o].standardError[k]);
            }
    double worstElement = 0, worstRho = 0, worstPhase = 0;
    for (const RegressionEstimate &e : estimates) {
        if (e.freq > written.fs / 4)
            continue;  // the top quarter lies in the converter's anti-alias roll-off
        const ImpedanceTensor model = station.model.tensor(e.freq);
        const double scale = std::max(std::abs(model.xy), std::abs(model.yx));
        const cd measured[4] = {e.fits[0].z[0], e.fits[0].z[1], e.fits[1].z[0], e.fits[1].z[1]};
        const cd expected[4] = {model.xx, model.xy, model.yx, model.yy};
        for (int k = 0; k < 4; ++k) {
            const double relative = std::abs(measured[k] - expected[k]) / scale;
            worstElement = std::max(worstElement, relative);
            QVERIFY2(relative < 0.04, qPrintable(QString("element %1 at %2 Hz off by %3 % of the largest")
                                                      .arg(k).arg(e.freq).arg(100 * relative)));
        }
        for (int k : {1, 2}) {
            const double rhoError = rhoOf(measured[k], e.freq) / rhoOf(expected[k], e.freq) - 1;
            const double phaseError = wrapped(phaseOf(measured[k]) - phaseOf(expected[k]));
            QVERIFY2(std::fabs(rhoError) < 0.05 && std::fabs(phaseError) < 2, qPrintable(describe(e.freq, rhoError, phaseError)));
            worstRho = std::max(worstRho, std::fabs(rhoError));
            worstPhase = std::max(worstPhase, std::fabs(phaseError));
        }
    }
    qInfo().noquote() << QString("1.58 .. 6000 Hz: elements within %1 % of the largest; Zxy, Zyx rho within %2 %, "
                                 "phase within %3 deg").arg(100 * worstElement, 0, 'f', 2).arg(100 * worstRho, 0, 'f', 2)
                             .arg(worstPhase, 0, 'f', 2);
}

// Noise as strong as the signal on Ex and Ey of a one-dimensional station: the curves' phases are
// the model's own (not compressed towards 45 degrees), every point lies within four of its error
// bars of the model, and the bars are neither empty nor wider than the scatter they describe.
void TestEstimatorPhysics::errorBarsCoverTheModel()
{
    StationPlan station;
    station.model = StationModel(DemoSurvey::threeLayerEarth());
    RecordingPlan &recording = station.recordings.first();
    recording.sampleRate = 2400;
    recording.seconds = 60;
    recording.noiseRatio = {{1.0, 1.0, 0, 0, 0}};
    EstimatorStation::Written written;
    QVERIFY(EstimatorStation::write(dir.filePath("noisy"), station, written));
    QVector<RegressionEstimate> estimates;
    QString failure;
    QVERIFY2(RegressionEstimator::run(written.request, estimates, failure), qPrintable(failure));
    QVector<OneFreqImpedance> curve;
    QVector<ImpedanceErrorBar> bars;
    RegressionCurves::elementCurve(estimates, 0, 1, curve, bars);
    QVERIFY(curve.size() >= 20);
    int inside = 0;
    for (int i = 0; i < curve.size(); ++i) {
        const double f = curve[i].freq;
        const double rhoModel = station.model.xyEarth().apparentResistivity(f);
        const double phaseModel = station.model.xyEarth().phaseDegrees(f);
        QVERIFY(bars[i].rhoError > 0 && bars[i].phaseError > 0);
        QVERIFY2(std::fabs(curve[i].rho - rhoModel) < 4 * bars[i].rhoError
                     && std::fabs(curve[i].phase - phaseModel) < 4 * bars[i].phaseError,
                 qPrintable(QString("%1 Hz: rho %2 +- %3 (model %4), phase %5 +- %6 (model %7)").arg(f)
                                .arg(curve[i].rho).arg(bars[i].rhoError).arg(rhoModel)
                                .arg(curve[i].phase).arg(bars[i].phaseError).arg(phaseModel)));
        inside += std::fabs(curve[i].phase - phaseModel) < bars[i].phaseError ? 1 : 0;
    }
    QVERIFY2(inside >= curve.size() / 3, qPrintable(QString("%1 of %2 phases within one bar").arg(inside).arg(curve.size())));
}

void TestEstimatorPhysics::resistsDamage_data()
{
    QTest::addColumn<int>("damage");
    QTest::newRow("clean") << int(Clean);
    QTest::newRow("spikes in Ex in a tenth of the segments") << int(Spikes);
    QTest::newRow("coherent narrowband noise on Hx and Hy, remote reference") << int(NarrowbandH);
    QTest::newRow("bursts of coherent narrowband noise on Hx and Hy, single station") << int(NarrowbandHBursts);
}

// 40 segments of 8192 samples at 24000 Hz over the three-layer earth, compared from 93.75 Hz (the
// 32nd line of the plain method) to 6000 Hz. Spikes: 64 of +-2500 mV in each of segments 3, 13,
// 23 and 33. Narrowband noise: sines at 437 Hz and 1311 Hz in Hx and Hy (the same source, so
// coherent between them), each with a fifth of the natural field's RMS, all the time: no weighting can tell
// those lines' rows from good ones, but a remote reference (here the clean Hx and Hy as a second
// synchronous station records them) does not share the noise. Bursts: the same two sines, three
// times the natural field's RMS, in Hx and Hy during segments 6, 16, 26 and 36 only: the rows of
// those segments carry far more magnetic power than the others and a residual of -Z times the
// noise, so the leverage limit and the redescending weights drop them without a remote station.
void TestEstimatorPhysics::resistsDamage()
{
    QFETCH(int, damage);
    const int n = 8192;
    StationPlan station;
    station.model = StationModel(DemoSurvey::threeLayerEarth());
    station.recordings.first().seconds = int(std::ceil(40.0 * n / 24000));
    station.recordings.first().seed = 85;
    EstimatorStation::Written written;
    QVERIFY(EstimatorStation::write(dir.filePath(QString("damage%1").arg(damage)), station, written));
    const RegressionChannel &ex = written.request.outputs[0];
    if (damage == Spikes) {
        QVERIFY(EstimatorStation::addMillivolts(ex, [n](qint64 t) {
            const qint64 segment = t / n, offset = t % n;
            const bool hit = segment % 10 == 3 && offset % (n / 64) == 17;
            return hit ? (offset / (n / 64) % 2 ? -2500.0 : 2500.0) : 0.0;
        }));
    }
    if (damage == NarrowbandH) {
        const double rms = written.description.recordings.first().channels.value(2).expectedRmsMilliVolt;
        for (const RegressionChannel &h : written.request.inputs) {
            RegressionChannel remote = h;
            remote.dataFile = h.dataFile + ".remote";
            QVERIFY(QFile::copy(h.dataFile, remote.dataFile));
            written.request.references.append(remote);
            QVERIFY(EstimatorStation::addMillivolts(h, [rms](qint64 t) {
                return 0.2 * rms * (std::sin(2 * kPi * 437 * t / 24000.0) + std::cos(2 * kPi * 1311 * t / 24000.0));
            }));
        }
    }
    if (damage == NarrowbandHBursts) {
        const double rms = written.description.recordings.first().channels.value(2).expectedRmsMilliVolt;
        for (const RegressionChannel &h : written.request.inputs) {
            QVERIFY(EstimatorStation::addMillivolts(h, [rms, n](qint64 t) {
                return t / n % 10 != 6 ? 0.0
                                       : 3 * rms * (std::sin(2 * kPi * 437 * t / 24000.0)
                                                    + std::cos(2 * kPi * 1311 * t / 24000.0));
            }));
        }
    }
    const LayeredEarth earth = DemoSurvey::threeLayerEarth();
    const Misfit regression = regressionMisfit(written.request, earth);
    qInfo().noquote() << "regression:" << regression.text;
    QVERIFY2(regression.worstRho < 0.05 && regression.worstPhase < 2, qPrintable(regression.text));
    QVERIFY(regression.compared >= 15);
    if (damage == NarrowbandH) {
        written.request.references.clear();
        const Misfit local = regressionMisfit(written.request, earth);
        QVERIFY2(local.worstRho > 0.05 || local.worstPhase > 2, qPrintable("without the remote: " + local.text));
    }
    if (damage == Clean)
        return;
    // The plain mean of cross powers over the same samples, n = 8192: the same damage moves it
    // beyond 10 % somewhere in the band.
    const RegressionChannel &hy = written.request.inputs[1];
    Rhoworks plain;
    QVERIFY(plain.Calc_CagniardResistivity(ex.dataFile, hy.dataFile, 24000, 0, 1000.0 / ex.unitFactor, ex.sensorFile,
                                           hy.sensorFile, ex.gainFile, hy.gainFile, ex.applySensor, n, 0, false,
                                           false, 0));
    double worst = 0;
    for (const OneFreqImpedance &r : plain.getCanigrdResistivity())
        if (r.freq >= 93.75 && r.freq <= 6000)
            worst = std::max(worst, std::fabs(r.rho / earth.apparentResistivity(r.freq) - 1));
    qInfo().noquote() << QString("plain mean worst rho misfit %1 %").arg(100 * worst, 0, 'f', 1);
    QVERIFY2(worst > 0.10, qPrintable(QString("plain mean worst rho misfit %1 %").arg(100 * worst)));
}

QTEST_GUILESS_MAIN(TestEstimatorPhysics)
#include "tst_EstimatorPhysics.moc"
