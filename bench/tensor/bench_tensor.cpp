// Long recordings through the processing drivers: a five-channel 24 kHz station of an hour (or
// --minutes M) is generated into a temporary folder; then, each in a child process of its own so
// that its peak memory is its own,
//   floor:   the true floor, reading the five files and transforming every segment with a reused
//            plan on one thread;
//   tensor:  Data_Calc_Tensor over every segment of 16384 samples on one thread and on all of the
//            machine's threads, against the floor and (the old ratio) against the bare
//            FastFFTTranform calls on the same segments;
//   spectra: the time-series view's case, Data_RhoworksCalc's per-channel run over every segment
//            of the five channels on one thread, streamed from the files, and (spectra-list) the
//            same run on the segment lists the view holds, read first.
// Each case prints its time, its ratio to the floor and its peak resident memory. --skip-long
// runs a two-minute station; --skip-tensor leaves out the tensor cases, --skip-spectra the spectra cases, --skip-list the
// list one.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTextStream>
#include <cmath>
#include <gsl/gsl_errno.h>

#include "../LongStation.h"
#include "../PeakMemory.h"
#include "../ProcessCpuTime.h"
#include "../TrueFloor.h"
#include "ParallelFor.h"
#include "Data_Calc_Tensor.h"
#include "Data_RhoworksCalc.h"
#include "SampleRateBands.h"
#include "Spectrix.h"
#include "Wavefile.h"

namespace {

constexpr int kRate = 24000;
constexpr int kN = 16384;

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

// Seconds spent in FastFFTTranform alone over every segment of every channel (read one channel
// at a time, reading not timed).
double bareFftSeconds(const QList<MTSampleData> &descriptors, int &segments)
{
    qint64 nanoseconds = 0;
    double checksum = 0.0;
    segments = 0;
    for (const MTSampleData &d : descriptors) {
        Wavefile reader;
        if (!reader.getTimeSeries(d.dataFile, LongStation::readerScale(d), d.sampleCount, kN, 0))
            continue;
        const QList<QVector<double>> channelSegments = reader.getTsData();
        Spectrix spectrix;
        QElapsedTimer timer;
        timer.start();
        for (const QVector<double> &segment : channelSegments)
            checksum += spectrix.FastFFTTranform(segment, kN, d.sampleFrequency).value(1).amplitude;
        nanoseconds += timer.nsecsElapsed();
        segments += channelSegments.size();
    }
    out() << "  (checksum " << checksum << ")\n";
    return nanoseconds / 1e9;
}

// Prints "floor: seconds" for the station's five files.
int runFloor(const QString &dir)
{
    const QList<MTSampleData> descriptors = LongStation::readDescriptors(dir);
    QStringList files;
    for (const MTSampleData &d : descriptors)
        files << d.dataFile;
    int segments = 0;
    const double seconds = descriptors.isEmpty() ? 0.0
        : TrueFloor::seconds(files, LongStation::readerScale(descriptors.first()), kN, kRate, 0, segments);
    QFile record(dir + "/floor-seconds.txt");
    if (record.open(QIODevice::WriteOnly | QIODevice::Text))
        record.write(QByteArray::number(seconds));
    out() << "floor: " << seconds << " s to read and transform " << segments
          << " segments with a reused plan (one thread); peak " << peakResidentKiB() / 1024.0 << " MB\n";
    return segments > 0 ? 0 : 1;
}

// The floor the floor run recorded in dir; NaN when it did not run.
double floorSeconds(const QString &dir)
{
    QFile record(dir + "/floor-seconds.txt");
    return record.open(QIODevice::ReadOnly | QIODevice::Text) ? record.readAll().toDouble() : std::nan("");
}

int runTensor(const QString &dir, int threads)
{
    ParallelFor::setThreadCount(threads);
    const QList<MTSampleData> descriptors = LongStation::readDescriptors(dir);
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = processCpuSeconds();
    Data_Calc_Tensor tensor;
    tensor.loadSpectra(descriptors, kN, 0);
    const Data_Calc_Tensor::BandResults results = tensor.bandResults(SampleRateBands::tensorBand(kRate, kN), 0.3);
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double cpu = processCpuSeconds() - cpuStart;
    const double peak = peakResidentKiB() / 1024.0;
    int segments = 0;
    const double fftSeconds = bareFftSeconds(descriptors, segments);
    out() << "tensor, " << threads << " thread(s): " << seconds << " s for " << segments << " segments (" << descriptors.size()
          << " channels, reading included), " << results.impedances.size() << " frequencies, CPU "
          << cpu << " s\n"
          << "  ratio to the true floor: " << seconds / floorSeconds(dir) << "\n"
          << "  bare FastFFTTranform of the same segments: " << fftSeconds << " s, old ratio "
          << seconds / fftSeconds << "\n"
          << "  peak memory of the tensor run: " << peak << " MB\n";
    return results.impedances.isEmpty() ? 1 : 0;
}

// The view's case: the per-channel run over every segment of the five channels, streamed from
// the files (fromFiles) or handed over as the segment lists the view holds.
int runSpectra(const QString &dir, bool fromFiles)
{
    ParallelFor::setThreadCount(1);
    QList<MTSampleData> descriptors = LongStation::readDescriptors(dir);
    for (MTSampleData &d : descriptors)
        d.countScale = float(LongStation::readerScale(d));
    const QStringList names{"Ex", "Ey", "Hx", "Hy", "Ex2"};  // by channel code 1..5
    Data_RhoworksCalc calc;
    QStringList present;
    QElapsedTimer timer;
    timer.start();
    for (const MTSampleData &d : descriptors) {
        const QString name = names.value(d.channel - 1);
        present.append(name);
        Wavefile reader;
        if (!fromFiles && reader.getTimeSeries(d.dataFile, d.countScale, d.sampleCount, kN, 0))
            calc.setChannelSegments(name, reader.getTsData());
    }
    const double readSeconds = timer.nsecsElapsed() / 1e9;
    calc.setSampleList(descriptors, present);
    calc.setStreamFromFiles(fromFiles);
    calc.calcChannelSpectra(kN);
    QList<QVector<double>> raw, calibrated;
    QVector<double> stacked;
    calc.channelResults("Hy", raw, calibrated, stacked);
    QVector<OneFreqCrossPower> exHy, eyHy, ex2Hy, meanEHy;
    calc.crossPowerResults(exHy, eyHy, ex2Hy, meanEHy);
    const double seconds = timer.nsecsElapsed() / 1e9;
    out() << "spectra, " << (fromFiles ? "streamed from the files" : "from the view's segment lists")
          << ": " << seconds << " s";
    if (!fromFiles)
        out() << " (" << readSeconds << " s reading the lists)";
    out() << "; " << present.size() << " channels, " << raw.size() << " segments listed per channel, "
          << exHy.size() << " cross-power lines\n"
          << "  ratio to the true floor: " << seconds / floorSeconds(dir) << "\n"
          << "  peak memory: " << peakResidentKiB() / 1024.0 << " MB\n";
    return stacked.isEmpty() ? 1 : 0;
}

int runChild(const QString &program, const QString &which, const QString &dir, int threads = 1)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(program, {"--run", which, dir, QString::number(threads)});
    child.waitForFinished(-1);
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    gsl_set_error_handler_off();
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == "--run") {
        if (args[2] == "floor")
            return runFloor(args[3]);
        if (args[2] == "tensor")
            return runTensor(args[3], args[4].toInt());
        return runSpectra(args[3], args[2] == "spectra");
    }

    int minutes = args.contains("--skip-long") ? 2 : 60;
    const int at = args.indexOf("--minutes");
    if (at > 0 && at + 1 < args.size())
        minutes = args[at + 1].toInt();
    QTemporaryDir dir;
    QElapsedTimer timer;
    timer.start();
    if (minutes <= 0 || !dir.isValid() || !LongStation::write(dir.path(), minutes, kRate)) {
        out() << "cannot generate the station\n";
        return 1;
    }
    out() << "station of " << minutes << " min at " << kRate << " Hz, 5 channels, generated in "
          << timer.nsecsElapsed() / 1e9 << " s\n";
    out().flush();
    const QString program = app.applicationFilePath();
    const bool tensor = !args.contains("--skip-tensor");
    return runChild(program, "floor", dir.path()) + (tensor ? runChild(program, "tensor", dir.path()) : 0)
         + (tensor ? runChild(program, "tensor", dir.path(), QThread::idealThreadCount()) : 0)
         + (args.contains("--skip-spectra") ? 0 : runChild(program, "spectra", dir.path()))
         + (args.contains("--skip-spectra") || args.contains("--skip-list") ? 0
                : runChild(program, "spectra-list", dir.path()));
}
