// The regression estimator measured three ways (never part of the test run):
//
//   --emtf         the public EMTF synthetic recording (100 ohm-m half-space, 1 Hz, 40000 samples)
//                  written as a project, processed by terrascope-cli with each estimator and read
//                  back with "curve": RMS misfit to 100 ohm-m and 45 degrees over 5 s .. 1000 s for
//                  Ex-Hy and Ey-Hx (the plain method's phase compression undone), beside the
//                  reference package's own figures.
//   --coverage N   N synthetic three-layer stations (2400 Hz, 60 s, Gaussian noise on Ex and Ey of
//                  known level, seeds 1..N): how often the model lies within one and two standard
//                  errors of each frequency's apparent resistivity and phase.
//   --speed        a one-hour 24 kHz station (Ex, Ey, Hx, Hy): the regression's wall time as a ratio
//                  to the bare FFTs of the plain path on the same channels (window and transform of
//                  every 16384-sample segment of the four channels, Spectrix calls in memory), and
//                  its peak resident memory. --minutes M shortens the station.
//
// Usage: bench_regression [--emtf] [--coverage N] [--speed [--minutes M]] [--dir FOLDER]

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <cmath>
#include <gsl/gsl_errno.h>

#include "../PeakMemory.h"
#include "DemoSurvey.h"
#include "EstimatorStation.h"
#include "RegressionCurves.h"
#include "RegressionEstimator.h"
#include "SeriesProject.h"
#include "Spectrix.h"

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

// ---- EMTF table ----

struct Estimator {
    QString name;
    QStringList options;
    bool compressedPhase;
};

QString runCli(const QStringList &arguments, bool &ok)
{
    QProcess process;
    process.start(TERRASCOPE_CLI, arguments);
    ok = process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!ok)
        out() << "  terrascope-cli " << arguments.join(' ') << " failed: " << process.readAllStandardError() << '\n';
    return QString::fromUtf8(process.readAllStandardOutput());
}

double uncompressed(double phase)
{
    if (phase > 45)
        return 45 + (phase - 45) / 0.75;
    return 45 + (phase - 45) / 0.5;
}

// "rho RMS / phase RMS" of one pair over 0.001 .. 0.2 Hz, and the number of frequencies.
QString misfitOf(const QString &csv, const QString &pair, bool compressed)
{
    QStringList lines = csv.split('\n', Qt::SkipEmptyParts);
    const QStringList header = lines.isEmpty() ? QStringList() : lines.takeFirst().split(',');
    const int f = header.indexOf("frequency_hz"), r = header.indexOf(pair + "_rho"), p = header.indexOf(pair + "_phase");
    double rho = 0, phase = 0;
    int count = 0;
    for (const QString &line : lines) {
        const QStringList v = line.split(',');
        const double freq = v.value(f).toDouble();
        if (freq < 0.001 - 1e-9 || freq > 0.2 + 1e-9 || v.value(r).isEmpty())
            continue;
        const double ph = compressed ? uncompressed(v.value(p).toDouble()) : v.value(p).toDouble();
        rho += std::pow(v.value(r).toDouble() - 100, 2);
        phase += std::pow(ph - 45, 2);
        ++count;
    }
    if (count == 0)
        return QStringLiteral("no frequency");
    return QStringLiteral("%1 / %2 (%3)").arg(std::sqrt(rho / count), 6, 'f', 2).arg(std::sqrt(phase / count), 5, 'f', 2)
        .arg(count);
}

int emtfTable(const QString &root)
{
    QFile file(TERRASCOPE_REFERENCE_DIR "/emtf-synthetic/test1.asc");
    if (!file.open(QIODevice::ReadOnly)) {
        out() << "the reference recording " << file.fileName() << " is missing\n";
        return 1;
    }
    QTextStream in(&file);
    RecordedSeries series;
    for (double v[5]; (in >> v[0] >> v[1] >> v[2] >> v[3] >> v[4]).status() == QTextStream::Ok;) {
        series.hx << v[0];
        series.hy << v[1];
        series.ex << v[3];
        series.ey << v[4];
    }
    QString project;
    if (!SeriesProject::write(series, root + "/emtf", "emtf", &project))
        return 1;
    QList<Estimator> estimators{{"regression", {"--estimator", "regression", "--fft-count", "all"}, false}};
    for (const char *method : {"plain", "robust", "mestimation", "median"})
        for (const QString n : {"1024", "4096", "16384"})
            estimators << Estimator{QString(method) + ", n " + n, {"--estimator", method, "--fft-length", n, "--fft-count", "all"},
                                    QString(method) == "plain"};
    out() << "\nEMTF test1 through terrascope-cli: RMS misfit ohm-m / degrees (frequencies), 5 s .. 1000 s\n"
          << QString("%1 %2 %3\n").arg("estimator", -24).arg("Ex-Hy", -22).arg("Ey-Hx", -22)
          << QString("%1 %2 %3\n").arg("reference package (zss)", -24).arg("  4.33 /  0.73", -22).arg("  4.08 /  0.54", -22);
    for (const Estimator &e : estimators) {
        bool ok = false;
        runCli(QStringList{"process", project, "--rebuild"} + e.options, ok);
        const QString csv = ok ? runCli({"curve", project, "--line", "1", "--station", "1"}, ok) : QString();
        out() << QString("%1 %2 %3\n").arg(e.name, -24).arg(misfitOf(csv, "ExHy", e.compressedPhase), -22)
                     .arg(misfitOf(csv, "EyHx", e.compressedPhase), -22);
        out().flush();
    }
    return 0;
}

// ---- coverage ----

struct Coverage {
    long long points = 0, rhoOne = 0, rhoTwo = 0, phaseOne = 0, phaseTwo = 0;
};

void countStation(const QVector<OneFreqImpedance> &curve, const QVector<ImpedanceErrorBar> &bars,
                  const LayeredEarth &earth, Coverage &c)
{
    for (int i = 0; i < curve.size(); ++i) {
        const double dRho = std::fabs(curve[i].rho - earth.apparentResistivity(curve[i].freq)) / bars[i].rhoError;
        const double dPhase = std::fabs(curve[i].phase - earth.phaseDegrees(curve[i].freq)) / bars[i].phaseError;
        ++c.points;
        c.rhoOne += dRho <= 1;
        c.rhoTwo += dRho <= 2;
        c.phaseOne += dPhase <= 1;
        c.phaseTwo += dPhase <= 2;
    }
}

int coverage(const QString &root, int seeds)
{
    const double noise = 0.5;
    Coverage c;
    for (int seed = 1; seed <= seeds; ++seed) {
        StationPlan station;
        station.model = StationModel(DemoSurvey::threeLayerEarth());
        RecordingPlan &recording = station.recordings.first();
        recording.sampleRate = 2400;
        recording.seconds = 60;
        recording.seed = std::uint64_t(seed);
        recording.noiseRatio = {{noise, noise, 0, 0, 0}};
        EstimatorStation::Written written;
        QVector<RegressionEstimate> estimates;
        QString failure;
        const QString folder = root + QString("/coverage%1").arg(seed);
        if (!EstimatorStation::write(folder, station, written)
            || !RegressionEstimator::run(written.request, estimates, failure)) {
            out() << "seed " << seed << ": " << failure << '\n';
            return 1;
        }
        for (int output = 0; output < 2; ++output) {
            QVector<OneFreqImpedance> curve;
            QVector<ImpedanceErrorBar> bars;
            RegressionCurves::elementCurve(estimates, output, 1 - output, curve, bars);
            countStation(curve, bars, DemoSurvey::threeLayerEarth(), c);
        }
        QDir(folder).removeRecursively();
    }
    const auto share = [&](long long n) { return QString::number(100.0 * n / c.points, 'f', 1) + " %"; };
    out() << "\nCoverage over " << seeds << " stations (three-layer earth, 2400 Hz, 60 s, noise " << noise
          << " of the signal on Ex and Ey), " << c.points << " points of Zxy and Zyx:\n"
          << "  apparent resistivity within 1 / 2 standard errors: " << share(c.rhoOne) << " / " << share(c.rhoTwo) << '\n'
          << "  phase within 1 / 2 standard errors:                " << share(c.phaseOne) << " / " << share(c.phaseTwo)
          << '\n';
    return 0;
}

// ---- speed ----

double bareFftSeconds(long long segments)
{
    constexpr int n = 16384;
    QVector<double> samples(n);
    QRandomGenerator random(7);
    for (double &x : samples)
        x = random.generateDouble() - 0.5;
    Spectrix spectrix;
    double checksum = 0;
    QElapsedTimer timer;
    timer.start();
    for (long long i = 0; i < segments; ++i)
        checksum += spectrix.FastFFTTranform(spectrix.WndFunc(samples, 1, n), n, 24000).first().amplitude;
    const double seconds = timer.nsecsElapsed() * 1e-9;
    return checksum == 0.12345 ? 0 : seconds;
}

int speed(const QString &root, int minutes)
{
    StationPlan station;
    station.model = StationModel(DemoSurvey::threeLayerEarth());
    station.recordings.first().seconds = 60 * minutes;
    station.recordings.first().recorded = {{true, true, true, true, false}};
    out() << "\nwriting a " << minutes << "-minute 24 kHz station (Ex, Ey, Hx, Hy) under " << root << " ...\n";
    out().flush();
    EstimatorStation::Written written;
    if (!EstimatorStation::write(root + "/hour", station, written))
        return 1;
    QElapsedTimer timer;
    timer.start();
    QVector<RegressionEstimate> estimates;
    QString failure;
    if (!RegressionEstimator::run(written.request, estimates, failure)) {
        out() << failure << '\n';
        return 1;
    }
    const double regression = timer.nsecsElapsed() * 1e-9;
    const long long segments = 4LL * (60LL * minutes * 24000 / 16384);
    const double bare = bareFftSeconds(segments);
    out() << "regression: " << QString::number(regression, 'f', 2) << " s, " << estimates.size()
          << " frequencies from " << estimates.first().freq << " Hz; peak " << peakResidentKiB() / 1024 << " MiB\n"
          << "bare FFTs of the plain path (" << segments << " segments of 16384 samples): "
          << QString::number(bare, 'f', 2) << " s\n"
          << "ratio: " << QString::number(regression / bare, 'f', 2) << "\n";
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    gsl_set_error_handler_off();
    const QStringList args = app.arguments().mid(1);
    QTemporaryDir temporary;
    const int dirIndex = args.indexOf("--dir");
    const QString root = dirIndex >= 0 ? args.value(dirIndex + 1) : temporary.path();
    const int minutesIndex = args.indexOf("--minutes");
    const int coverageIndex = args.indexOf("--coverage");
    int status = 0;
    if (args.contains("--emtf"))
        status |= emtfTable(root);
    if (coverageIndex >= 0)
        status |= coverage(root, std::max(1, args.value(coverageIndex + 1).toInt()));
    if (args.contains("--speed"))
        status |= speed(root, minutesIndex >= 0 ? std::max(1, args.value(minutesIndex + 1).toInt()) : 60);
    if (!args.contains("--emtf") && coverageIndex < 0 && !args.contains("--speed"))
        out() << "usage: bench_regression [--emtf] [--coverage N] [--speed [--minutes M]] [--dir FOLDER]\n";
    return status;
}
