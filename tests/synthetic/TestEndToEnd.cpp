#include "TestEndToEnd.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <functional>

#include "CalibratedSounding.h"
#include "DemoSurvey.h"
#include "Spectrix.h"
#include "SurveyWriter.h"

using RecorderConventions::Channel;
using namespace CalibratedSounding;

namespace {

struct Recording {
    QString workDir;
    RecordingDescription description;
};

Recording writeRecording(const QTemporaryDir &dir, const StationModel &model, const RecordingSpec &spec)
{
    StationSpec station;
    station.model = model;
    station.recordings = {spec};
    StationDescription written;
    if (!SurveyWriter(dir.path()).writeStation(station, &written))
        return {};
    return {dir.path(), written.recordings.first()};
}

RecordingSpec recordingSpec(int rate, int n, int segments, bool lowBand, std::uint64_t seed)
{
    RecordingSpec spec;
    spec.sampleRate = rate;
    spec.seconds = int(std::ceil(double(n) * segments / rate));
    spec.lowBand = lowBand;
    spec.seed = seed;
    return spec;
}

// Impedance results of one E/H pair at the targets: segment-mean cross powers, Parzen band
// average with half-width 0.3, scalar impedance.
QVector<OneFreqImpedance> scalarSounding(const Recording &r, Channel e, Channel h, int n,
                                         int segments, const QVector<double> &targets)
{
    const Segments eSpectra = channelSpectra(r.workDir, r.description, e, n, segments);
    const Segments hSpectra = channelSpectra(r.workDir, r.description, h, n, segments);
    if (eSpectra.size() != segments || hSpectra.size() != segments)
        return {};
    const QVector<OneFreqCrossPower> mean = meanCrossPowers(eSpectra, hSpectra);
    Spectrix spectrix;
    QVector<OneFreqImpedance> result;
    for (double f0 : targets)
        result.append(spectrix.ComputeOneFreqImpeDance(spectrix.OneFreqBendParzen(f0, mean, 0.3), 0));
    return result;
}

// The phase compression applied by the scalar impedance step: distances from 45 degrees shrink to
// three quarters above and to one half below.
double mappedPhase(double p)
{
    return p > 45.0 ? 45.0 + 0.75 * (p - 45.0) : 45.0 + 0.5 * (p - 45.0);
}

// Largest relative resistivity error and phase difference of a curve against expected values,
// with the worst point described for failure messages; the figures go to the test log.
struct Misfit {
    double rho = 0.0;
    double phase = 0.0;
    QString worst;
};

Misfit misfit(const QVector<OneFreqImpedance> &curve, const std::function<double(double)> &rhoAt,
              const std::function<double(double)> &phaseAt)
{
    Misfit m;
    for (const OneFreqImpedance &z : curve) {
        const double rho = rhoAt(z.freq), phase = phaseAt(z.freq);
        const double rhoError = std::abs(z.rho / rho - 1.0), phaseError = std::abs(z.phase - phase);
        if (rhoError > m.rho || phaseError > m.phase) {
            m.worst = QStringLiteral("f %1 Hz: rho %2 (expected %3), phase %4 (expected %5)")
                          .arg(z.freq).arg(z.rho).arg(rho).arg(z.phase).arg(phase);
        }
        m.rho = std::max(m.rho, rhoError);
        m.phase = std::max(m.phase, phaseError);
    }
    qInfo("%d frequencies, largest rho error %.2f %%, largest phase difference %.2f degrees",
          int(curve.size()), 100.0 * m.rho, m.phase);
    return m;
}

void addRateRows()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("segments");
    QTest::addColumn<bool>("lowBand");
    QTest::newRow("24000 Hz, n 8192") << 24000 << 8192 << 30 << false;
    QTest::newRow("4096 Hz, n 4096") << 4096 << 4096 << 40 << false;
    QTest::newRow("1024 Hz low band, n 4096") << 1024 << 4096 << 25 << true;
}

// Targets well inside the band, up to a quarter of the sampling rate, from the 32nd FFT line and
// from 16 Hz, four times the coil corner. Lower down, the few lines per band and the taper's leakage
// (which mixes in lines where the coil's steep response makes E large against H) move the
// estimates by several percent.
QVector<double> innerTargets(int rate, int n, double firstLine = 32.0)
{
    return logSpaced(std::max(firstLine * rate / n, 16.0), rate / 4.0, 9);
}

} // namespace

void TestEndToEnd::halfSpaceRecoversItsResistivity_data()
{
    addRateRows();
}

void TestEndToEnd::halfSpaceRecoversItsResistivity()
{
    QFETCH(int, rate);
    QFETCH(int, n);
    QFETCH(int, segments);
    QFETCH(bool, lowBand);
    QTemporaryDir dir;
    const Recording r = writeRecording(dir, StationModel(LayeredEarth(100.0)),
                                       recordingSpec(rate, n, segments, lowBand, 41));
    const QVector<double> targets = innerTargets(rate, n);
    for (auto pair : {std::make_pair(Channel::Ex, Channel::Hy), std::make_pair(Channel::Ey, Channel::Hx)}) {
        const QVector<OneFreqImpedance> curve = scalarSounding(r, pair.first, pair.second, n, segments, targets);
        QCOMPARE(curve.size(), targets.size());
        const Misfit m = misfit(curve, [](double) { return 100.0; }, [](double) { return 45.0; });
        QVERIFY2(m.rho < 0.05 && m.phase < 2.0, qPrintable(m.worst));
        for (const OneFreqImpedance &z : curve)
            QVERIFY2(z.coherency > 0.95, qPrintable(QString::number(z.coherency)));
    }
}

void TestEndToEnd::threeLayerEarthFollowsForwardModel_data()
{
    addRateRows();
}

void TestEndToEnd::threeLayerEarthFollowsForwardModel()
{
    QFETCH(int, rate);
    QFETCH(int, n);
    QFETCH(int, segments);
    QFETCH(bool, lowBand);
    QTemporaryDir dir;
    const LayeredEarth earth = DemoSurvey::threeLayerEarth();
    const Recording r = writeRecording(dir, StationModel(earth), recordingSpec(rate, n, segments, lowBand, 43));
    const Misfit m = misfit(scalarSounding(r, Channel::Ex, Channel::Hy, n, segments, innerTargets(rate, n)),
                            [&](double f) { return earth.apparentResistivity(f); },
                            [&](double f) { return mappedPhase(earth.phaseDegrees(f)); });
    QVERIFY2(m.rho < 0.05 && m.phase < 2.0, qPrintable(m.worst));
}

void TestEndToEnd::electricNoiseLowersCoherencyAsPredicted_data()
{
    QTest::addColumn<double>("ratio");
    QTest::newRow("noise at half the signal") << 0.5;
    QTest::newRow("noise as strong as the signal") << 1.0;
}

// Independent noise of relative amplitude r on E adds r^2 to its power: the coherency becomes
// 1 / sqrt(1 + r^2) and the apparent resistivity (E power over H power) grows by 1 + r^2.
void TestEndToEnd::electricNoiseLowersCoherencyAsPredicted()
{
    QFETCH(double, ratio);
    QTemporaryDir dir;
    RecordingSpec spec = recordingSpec(4096, 4096, 40, false, 47);
    spec.noiseRatio[size_t(Channel::Ex)] = ratio;
    const Recording r = writeRecording(dir, StationModel(LayeredEarth(100.0)), spec);
    const double coherency = 1.0 / std::sqrt(1.0 + ratio * ratio);
    const double rho = 100.0 * (1.0 + ratio * ratio);
    const QVector<OneFreqImpedance> curve =
        scalarSounding(r, Channel::Ex, Channel::Hy, 4096, 40, innerTargets(4096, 4096, 64.0));
    const Misfit m = misfit(curve, [&](double) { return rho; }, [](double) { return 45.0; });
    QVERIFY2(m.rho < 0.05 && m.phase < 3.0, qPrintable(m.worst));
    for (const OneFreqImpedance &z : curve) {
        QVERIFY2(std::abs(z.coherency - coherency) < 0.03,
                 qPrintable(QStringLiteral("f %1: coherency %2, expected %3").arg(z.freq).arg(z.coherency).arg(coherency)));
    }
}

// A two-dimensional earth (100 ohm-m for the xy and 10 ohm-m for the yx polarisation) recorded in
// axes turned by 30 degrees: the tensor solved from band-averaged cross spectra matches the
// rotation of the principal impedances, worked out here from the closed form.
void TestEndToEnd::tensorOfRotatedTwoDimensionalEarthIsRecovered()
{
    const int rate = 4096, n = 4096, segments = 40;
    const LayeredEarth xyEarth(100.0), yxEarth(10.0);
    QTemporaryDir dir;
    RecordingSpec spec = recordingSpec(rate, n, segments, false, 53);
    spec.tensor = true;
    const Recording r = writeRecording(dir, StationModel(xyEarth, yxEarth, 30.0), spec);
    Segments s[RecorderConventions::channelCount];
    for (Channel c : {Channel::Ex, Channel::Ey, Channel::Hx, Channel::Hy})
        s[int(c)] = channelSpectra(r.workDir, r.description, c, n, segments);
    const Segments &hx = s[int(Channel::Hx)], &hy = s[int(Channel::Hy)];
    QVector<double> lineFreqs;
    for (const OneFreqSpectrum &line : hx.first())
        lineFreqs.append(line.freq);
    const double c = std::cos(30.0 * std::acos(-1.0) / 180.0), sn = std::sin(30.0 * std::acos(-1.0) / 180.0);
    Spectrix spectrix;
    auto average = [&](const Segments &a, const Segments &b, double f0) {
        QVector<gsl_complex> values;
        for (const std::complex<double> &z : meanCrossSpectrum(a, b))
            values.append(gsl_complex{{z.real(), z.imag()}});
        const gsl_complex m = spectrix.OneFreqBendParzen(f0, values, lineFreqs, 0.3);
        return std::complex<double>(GSL_REAL(m), GSL_IMAG(m));
    };
    double worst = 0.0;
    for (double f0 : innerTargets(rate, n)) {
        const std::complex<double> a = xyEarth.impedance(f0), b = -yxEarth.impedance(f0);
        const std::complex<double> expected[2][2] = {{c * sn * (a + b), c * c * a - sn * sn * b},
                                                     {c * c * b - sn * sn * a, -c * sn * (a + b)}};
        const std::complex<double> xx = average(hx, hx, f0), yy = average(hy, hy, f0);
        const std::complex<double> yx = average(hy, hx, f0), xy = average(hx, hy, f0);
        const std::complex<double> det = xx * yy - yx * xy;
        for (int row = 0; row < 2; ++row) {
            const Segments &e = s[row == 0 ? int(Channel::Ex) : int(Channel::Ey)];
            const std::complex<double> eHx = average(e, hx, f0), eHy = average(e, hy, f0);
            const std::complex<double> z[2] = {(eHx * yy - eHy * yx) / det, (eHy * xx - eHx * xy) / det};
            for (int col = 0; col < 2; ++col) {
                const double error = std::abs(z[col] - expected[row][col]) / std::abs(a);
                QVERIFY2(error < 0.05, qPrintable(QStringLiteral("f %1, Z[%2][%3]: error %4 of |Zxy|")
                                                      .arg(f0).arg(row).arg(col).arg(error)));
                worst = std::max(worst, error);
            }
        }
    }
    qInfo("largest tensor element error %.2f %% of |Zxy|", 100.0 * worst);
}
