// The time-series view on a long recording: a five-channel 24 kHz station of an hour (or
// --minutes M; --skip-long: two minutes) is generated into a temporary folder (or into --keep DIR,
// reused when it already holds one); then a child process, so that its peak memory is its own,
// reads every segment of 16384 samples of the five channels (as the hub does for "所有数据") and
// hands them to the view in the hub's order, on an offscreen window of 1280 x 800, and measures:
//   first paint:  from the first signal to the view painted with all five envelopes;
//   spectra:      the calculator's run on its worker thread until the spectra are drawable;
//   page step:    one page of the scroll bar (a 10 s window) until painted, mean and slowest;
//   zoom:         one wheel step, and the return to the whole hour, each until painted;
//   stacked:      the switch to the stacked calibrated spectra until painted;
// and the peak resident memory against the size of the samples themselves.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>
#include <gsl/gsl_errno.h>
#include <qwt_plot_canvas.h>

#include "../LongStation.h"
#include "../PeakMemory.h"
#include "ChannelSlot.h"
#include "DesktopOperatorDialogs.h"
#include "Form_TimeSeries.h"
#include "LongWork.h"
#include "QwtPlotGraph.h"
#include "Wavefile.h"

namespace {

constexpr int kRate = 24000;
constexpr int kN = 16384;
constexpr int kPageSeconds = 10;
constexpr int kPageSteps = 40;

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

double msSince(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// Lays out and paints the view now, as the first frame after a change would.
void paintNow(QWidget &view)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    view.repaint();
}

struct Recording {
    QList<MTSampleData> descriptors;
    QList<QList<QVector<double>>> segments;
    QList<QString> names;
    qint64 bytes = 0;
};

Recording readRecording(const QString &dir)
{
    Recording r;
    r.descriptors = LongStation::readDescriptors(dir);
    for (const MTSampleData &d : qAsConst(r.descriptors)) {
        Wavefile reader;
        if (!reader.getTimeSeries(d.dataFile, LongStation::readerScale(d), d.sampleCount, kN, 0))
            continue;
        r.segments.append(reader.getTsData());
        r.names.append(ChannelSlots::nameOfSlot(ChannelSlots::slotOfCode(d.channel)));
        r.bytes += qint64(r.segments.last().size()) * kN * qint64(sizeof(double));
    }
    return r;
}

double firstPaint(Form_TimeSeries &view, const Recording &r)
{
    ReCalculateParam param;
    param.fftLength = kN;
    param.fftCount = -1;
    QElapsedTimer timer;
    timer.start();
    view.onTimeSeriesParamChanged(r.descriptors, param);
    for (int c = 0; c < r.names.size(); ++c)
        view.onTimeSeriesChanged(r.segments[c], r.names[c]);
    view.onTimeSeriesPlots(r.names);
    paintNow(view);
    return msSince(timer);
}

double spectraSeconds(Form_TimeSeries &view)
{
    QElapsedTimer timer;
    timer.start();
    while (!view.action(Form_TimeSeries::StackedAction)->isEnabled())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    return timer.nsecsElapsed() / 1e9;
}

void pageSteps(Form_TimeSeries &view, double &meanMs, double &slowestMs)
{
    view.showWindow(0, qint64(kPageSeconds) * kRate);
    paintNow(view);
    double total = 0.0;
    slowestMs = 0.0;
    for (int step = 0; step < kPageSteps; ++step) {
        QElapsedTimer timer;
        timer.start();
        view.scrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        paintNow(view);
        const double ms = msSince(timer);
        total += ms;
        slowestMs = std::max(slowestMs, ms);
    }
    meanMs = total / kPageSteps;
}

double timed(Form_TimeSeries &view, const std::function<void()> &change)
{
    QElapsedTimer timer;
    timer.start();
    change();
    paintNow(view);
    return msSince(timer);
}

int runView(const QString &dir)
{
    QElapsedTimer reading;
    reading.start();
    const Recording recording = readRecording(dir);
    const double readSeconds = reading.nsecsElapsed() / 1e9;
    if (recording.names.size() != kChannelSlotCount)
        return 1;
    QWidget window;
    DesktopOperatorDialogs dialogs(&window);
    LongWork work(&window);
    Form_TimeSeries view(&dialogs, &work);
    view.resize(1280, 800);
    view.show();
    QCoreApplication::processEvents();
    const qint64 samples = recording.segments.first().size() * qint64(kN);
    out() << "read " << samples << " samples x " << recording.names.size() << " channels in "
          << readSeconds << " s (" << recording.bytes / 1048576.0 << " MB of samples)\n";
    out() << "first paint of the whole recording: " << firstPaint(view, recording) << " ms\n";
    out().flush();
    out() << "spectra of " << recording.segments.first().size() << " segments x 5 channels: "
          << spectraSeconds(view) << " s on the worker thread\n";
    view.action(Form_TimeSeries::TimeSeriesAction)->trigger();
    double meanMs = 0.0, slowestMs = 0.0;
    pageSteps(view, meanMs, slowestMs);
    out() << "page step of " << kPageSeconds << " s: " << meanMs << " ms mean, " << slowestMs
          << " ms slowest of " << kPageSteps << "\n";
    QwtPlotGraph *plot = view.channelPlot(Slot_Ey);
    out() << "wheel zoom step: "
          << timed(view, [plot] { plot->zoomAt(true, plot->canvas()->rect().center()); }) << " ms; "
          << "back to the whole recording: " << timed(view, [plot] { plot->zoomHome(); }) << " ms\n";
    out() << "switch to the stacked calibrated spectra: "
          << timed(view, [&view] { view.action(Form_TimeSeries::StackedAction)->trigger(); }) << " ms\n";
    const double peakMb = peakResidentKiB() / 1024.0;
    out() << "peak memory: " << peakMb << " MB, of which the samples " << recording.bytes / 1048576.0
          << " MB (" << peakMb / (recording.bytes / 1048576.0) << " times)\n";
    return 0;
}

int runChild(const QString &program, const QString &dir)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(program, {"--run", dir});
    child.waitForFinished(-1);
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 1;
}

int optionValue(const QStringList &args, const QString &name, int otherwise)
{
    const int at = args.indexOf(name);
    return at > 0 && at + 1 < args.size() ? args[at + 1].toInt() : otherwise;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gsl_set_error_handler_off();
    registerProcessingMetaTypes();
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == "--run")
        return runView(args[2]);

    const int minutes = optionValue(args, "--minutes", args.contains("--skip-long") ? 2 : 60);
    QTemporaryDir temporary;
    const int keepAt = args.indexOf("--keep");
    const QString dir = keepAt > 0 && keepAt + 1 < args.size() ? args[keepAt + 1] : temporary.path();
    QElapsedTimer timer;
    timer.start();
    const bool reused = QFile::exists(dir + "/" + LongStation::kDescriptorFile);
    if (!reused && (minutes <= 0 || !QDir().mkpath(dir) || !LongStation::write(dir, minutes, kRate))) {
        out() << "cannot generate the station\n";
        return 1;
    }
    out() << "station of " << minutes << " min at " << kRate << " Hz, 5 channels, "
          << (reused ? QStringLiteral("reused") : QStringLiteral("generated in %1 s").arg(timer.nsecsElapsed() / 1e9))
          << "\n";
    out().flush();
    return runChild(app.applicationFilePath(), dir);
}
