// Cost of the four resistivity estimators on a synthetic 24000 Hz Ex/Hy pair with n = 16384:
// 50 segments, and every segment of an hour-long recording (about 5273 segments). For each
// estimator, on one thread, it prints the wall time, the ratio to the true floor (reading both
// files and transforming every segment with a reused plan), the old ratio to the bare
// FastFFTTranform calls on in-memory segments (a plan made per call), the ratio of CPU times (what
// the wall-time ratio would be on an otherwise idle machine) and the peak resident memory.
// Then every estimator again on all of the machine's threads, for the speed-up.
//
// Each estimator runs in a child process of its own (this program started with "--run"), so that
// its peak resident memory is its own and not what an earlier run left in the allocator.
//
// It also times Robust_RepeatMedian alone on 2000 segments of 8192 lines.
//
// Usage: bench_rhoworks [--skip-hour] [--dir FOLDER]
//   --skip-hour   only the 50-segment case (the hour-long files take about 700 MB and a minute)
//   --dir FOLDER  where to write the recordings (default: a temporary folder, removed afterwards)

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QTextStream>
#include <cmath>

#include "../PeakMemory.h"
#include "../ProcessCpuTime.h"
#include "../TrueFloor.h"
#include "ParallelFor.h"
#include "DemoSurvey.h"
#include "Rhoworks.h"
#include "Spectrix.h"
#include "SurveyWriter.h"

namespace {

constexpr int kRate = 24000;
constexpr int kN = 16384;
const double kCountScale = float(3000.0 / 8388608.0);  // mV per count at 24 kHz, as Rhoworks reads

const QStringList kMethods{"plain", "M-estimation", "robust", "median"};

using Computation = bool (Rhoworks::*)(QString, QString, double, double, double, QString, QString,
                                       QString, QString, bool, int, int, bool, bool, int);

// The computation method named as in kMethods.
Computation computation(const QString &method)
{
    static const Computation computations[] = {
        &Rhoworks::Calc_CagniardResistivity, &Rhoworks::Calc_CagniardResistivityMEstimation,
        &Rhoworks::Calc_CagniardResistivityRobust, &Rhoworks::Calc_CagniardResistivityMedian};
    return computations[std::max(0, kMethods.indexOf(method))];
}

struct PairPaths {
    QStringList args;  // e, h, eSensor, hSensor, eGain, hGain, dipole, useESensor
};

// Writes an Ex/Hy recording of the three-layer demonstration earth and returns its file names.
bool writeRecording(const QString &folder, int seconds, PairPaths &paths)
{
    StationPlan station;
    station.model = StationModel(DemoSurvey::threeLayerEarth());
    RecordingPlan request;
    request.sampleRate = kRate;
    request.seconds = seconds;
    request.seed = 2024;
    request.recorded = {{true, false, false, true, false}};
    station.recordings = {request};
    StationDescription written;
    if (!SurveyWriter(folder).writeStation(station, &written) || written.recordings.isEmpty())
        return false;
    QString e, h, eSensor, hSensor, eGain, hGain;
    for (const ChannelDescription &c : written.recordings.first().channels) {
        const bool electric = c.channel == RecorderConventions::Channel::Ex;
        (electric ? e : h) = c.dataFile;
        (electric ? eSensor : hSensor) = folder + "/" + c.sensorTable;
        (electric ? eGain : hGain) = folder + "/" + c.gainTable;
    }
    const bool useESensor = written.recordings.first().electricSensorApplied;
    paths.args = QStringList{e, h, eSensor, hSensor, eGain, hGain,
                             QString::number(written.exDipole), useESensor ? "1" : "0"};
    return !e.isEmpty() && !h.isEmpty();
}

// Child: the true floor of the pair; prints "seconds peakKiB segments cpuSeconds".
int runFloor(const QStringList &a)
{
    int segments = 0;
    const double cpuStart = processCpuSeconds();
    const double seconds = TrueFloor::seconds({a[1], a[2]}, kCountScale, kN, kRate, a[0].toInt(), segments);
    const double cpu = processCpuSeconds() - cpuStart;
    QTextStream(stdout) << seconds << ' ' << peakResidentKiB() << ' ' << segments << ' ' << cpu << '\n';
    return segments > 0 ? 0 : 1;
}

// Child: one estimator on one pair on the given number of threads; prints "seconds peakKiB
// curveLength cpuSeconds".
int runChild(const QStringList &a, int threads)
{
    ParallelFor::setThreadCount(threads);
    const QString method = a[0];
    const int segmentCount = a[1].toInt();
    const QString e = a[2], h = a[3], eSensor = a[4], hSensor = a[5], eGain = a[6], hGain = a[7];
    const double dipole = a[8].toDouble();
    const bool useESensor = a[9] == "1";
    Rhoworks rhoworks;
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = processCpuSeconds();
    const bool done = (rhoworks.*computation(method))(e, h, kRate, 0, dipole, eSensor, hSensor,
                                                      eGain, hGain, useESensor, kN, segmentCount,
                                                      false, false, 0);
    const double seconds = timer.nsecsElapsed() * 1e-9;
    const double cpu = processCpuSeconds() - cpuStart;
    const int records = rhoworks.getCanigrdResistivity().size();
    QTextStream(stdout) << seconds << ' ' << peakResidentKiB() << ' ' << (done ? records : -1) << ' ' << cpu
                        << '\n';
    return done ? 0 : 1;
}

// Seconds for the window and transform of 2 * segments segments of kN samples.
double bareFftSeconds(int segments)
{
    QVector<double> samples(kN);
    QRandomGenerator random(7);
    for (double &x : samples)
        x = random.generateDouble() - 0.5;
    Spectrix spectrix;
    double checksum = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 2 * segments; ++i)
        checksum += spectrix.FastFFTTranform(spectrix.WndFunc(samples, 1, kN), kN, kRate).first().amplitude;
    const double seconds = timer.nsecsElapsed() * 1e-9;
    return checksum == 0.12345 ? 0 : seconds;  // keeps the work from being optimised away
}

// Seconds of Robust_RepeatMedian over 2000 segments of 8192 random lines.
double repeatedMedianSeconds()
{
    QRandomGenerator random(11);
    QList<QVector<gsl_complex>> segments;
    for (int k = 0; k < 2000; ++k) {
        QVector<gsl_complex> lines(8192);
        for (gsl_complex &z : lines)
            GSL_SET_COMPLEX(&z, random.generateDouble(), random.generateDouble());
        segments.append(lines);
    }
    QElapsedTimer timer;
    timer.start();
    const QVector<gsl_complex> result = Rhoworks().Robust_RepeatMedian(segments);
    return result.size() == 8192 ? timer.nsecsElapsed() * 1e-9 : -1;
}

// Runs this program as a child with args and returns its figures "seconds peakKiB count cpuSeconds".
QStringList childFigures(const QStringList &args)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), args);
    child.waitForFinished(-1);
    return QString(child.readAllStandardOutput()).split(' ', Qt::SkipEmptyParts);
}

void runCase(QTextStream &out, const QString &label, const PairPaths &paths, int segmentCount,
             int segments)
{
    const double bare = bareFftSeconds(segments);
    const QStringList floor = childFigures(QStringList{"--floor", QString::number(segmentCount)}
                                           + paths.args.mid(0, 2));
    const double floorSeconds = floor.value(0).toDouble();
    const double floorCpu = floor.value(3).toDouble();
    out << "\n" << label << ": " << segments << " segments of " << kN << " samples at " << kRate
        << " Hz\n  true floor (read both files, reused-plan FFT of every segment): "
        << QString::number(floorSeconds, 'f', 2) << " s (CPU " << QString::number(floorCpu, 'f', 2) << " s), peak "
        << floor.value(1).toLongLong() / 1024 << " MiB\n  old baseline (FastFFTTranform per segment): "
        << QString::number(bare, 'f', 2) << " s\n";
    out << QString("%1 %2 %3 %4 %5 %6 %7\n").arg("estimator", -20).arg("wall s", 8).arg("x floor", 8)
               .arg("x old", 6).arg("CPU x floor", 12).arg("peak MiB", 9).arg("records", 8);
    QStringList runs;
    for (const QString &method : kMethods)
        runs << method + ":1";
    for (const QString &method : kMethods)
        runs << method + ":" + QString::number(QThread::idealThreadCount());
    for (const QString &run : runs) {
        const QString method = run.section(':', 0, 0);
        const QString threads = run.section(':', 1, 1);
        const QStringList figures = childFigures(
            QStringList{"--run", threads, method, QString::number(segmentCount)} + paths.args);
        const QString name = method + " (" + threads + " thr)";
        if (figures.size() < 4) {
            out << name << ": the run failed\n";
            continue;
        }
        const double seconds = figures[0].toDouble();
        out << QString("%1 %2 %3 %4 %5 %6 %7\n").arg(name, -20).arg(seconds, 8, 'f', 2)
                   .arg(seconds / floorSeconds, 8, 'f', 2).arg(seconds / bare, 6, 'f', 2)
                   .arg(figures[3].toDouble() / floorCpu, 12, 'f', 2)
                   .arg(figures[1].toLongLong() / 1024, 9).arg(figures[2].trimmed(), 8);
        out.flush();
    }
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == "--run" && args.size() >= 12)
        return runChild(args.mid(2), args.value(1).toInt());
    if (args.value(0) == "--floor" && args.size() >= 4)
        return runFloor(args.mid(1));

    QTextStream out(stdout);
    const bool skipHour = args.contains("--skip-hour");
    const int dirIndex = args.indexOf("--dir");
    QTemporaryDir temporary;
    const QString root = dirIndex >= 0 ? args.value(dirIndex + 1) : temporary.path();

    PairPaths shortPair;
    if (!writeRecording(root + "/short", int(std::ceil(50.0 * kN / kRate)), shortPair)) {
        out << "cannot write the 50-segment recording under " << root << "\n";
        return 1;
    }
    out << "Robust_RepeatMedian, 2000 segments x 8192 lines: "
        << QString::number(repeatedMedianSeconds(), 'f', 2) << " s\n";
    runCase(out, "50 segments", shortPair, 50, 50);
    if (skipHour)
        return 0;

    out << "\nwriting the hour-long recording under " << root << " ...\n";
    out.flush();
    QElapsedTimer timer;
    timer.start();
    PairPaths hourPair;
    if (!writeRecording(root + "/hour", 3600, hourPair)) {
        out << "cannot write the hour-long recording under " << root << "\n";
        return 1;
    }
    out << "written in " << QString::number(timer.nsecsElapsed() * 1e-9, 'f', 1) << " s\n";
    runCase(out, "one hour, every segment", hourPair, 0, int(3600LL * kRate / kN));
    return 0;
}
