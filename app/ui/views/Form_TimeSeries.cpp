#include "Form_TimeSeries.h"

#include "CurveColumnReadout.h"
#include "Data_RhoworksCalc.h"
#include "LongWork.h"
#include "OperatorDialogs.h"
#include "QwtPlotGraph.h"
#include "SpectrumAnalysis.h"
#include "TimeSeriesPlots.h"
#include "WorkFeedback.h"

#include <QAction>
#include <QDebug>
#include <QEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <qwt_plot_canvas.h>
#include <qwt_scale_div.h>

const QString Form_TimeSeries::kTimeSeriesMode = QStringLiteral("timeseries");
const QString Form_TimeSeries::kSpectrumMode = QStringLiteral("spectrumseries");
const QString Form_TimeSeries::kCalibratedMode = QStringLiteral("calibrateseries");
const QString Form_TimeSeries::kStackedMode = QStringLiteral("stackedseries");
const QString Form_TimeSeries::kElectricAnalysisMode = QStringLiteral("electricanalysis");
const QString Form_TimeSeries::kMagneticAnalysisMode = QStringLiteral("magneticanalysis");

namespace {

const QString kExportTitle = QStringLiteral("导出数据");
const QString kExportFilter = QStringLiteral("Dat(*.dat)");
const QString kCalibratedElectricUnit = QStringLiteral("mv/(km sqrt(Hz))");
constexpr qint64 kShortestWindow = 16;           // samples in view at the deepest zoom
constexpr qint64 kRowsWithoutProgress = 200000;  // larger saves run under the progress dialog

struct ActionEntry {
    const char *label;
    void (Form_TimeSeries::*slot)();
};

const ActionEntry kActionEntries[Form_TimeSeries::ActionCount] = {
    {"&时序", &Form_TimeSeries::ontimeSeriesActionTriggled},
    {"&频谱", &Form_TimeSeries::onspectrumActionTriggled},
    {"&标定谱", &Form_TimeSeries::oncalibrateSpectrumTriggled},
    {"叠加谱", &Form_TimeSeries::onstackedSpectrum},
    {"&磁场分析", &Form_TimeSeries::onAnasysHSpectrumTriggled},
    {"&电场分析", &Form_TimeSeries::onAnasysESpectrumTriggled},
    {"&保存", &Form_TimeSeries::onSaveActionTriggled},
    {"&保存磁场分析", &Form_TimeSeries::onSaveHAnasysHCrossPowerTriggled},
};

QString titleOf(const QString &mode)
{
    if (mode == Form_TimeSeries::kSpectrumMode)
        return QStringLiteral("频谱");
    if (mode == Form_TimeSeries::kCalibratedMode)
        return QStringLiteral("标定频谱");
    if (mode == Form_TimeSeries::kStackedMode)
        return QStringLiteral("叠加的标定谱");
    if (mode == Form_TimeSeries::kElectricAnalysisMode)
        return QStringLiteral("电场分析");
    if (mode == Form_TimeSeries::kMagneticAnalysisMode)
        return QStringLiteral("磁场分析");
    return QStringLiteral("时间序列");
}

// Points (frequency, value) of a table column, leaving out missing values (and, for a log axis,
// values that are not positive).
QVector<QPointF> pointsOf(const NumberTable &table, int column, bool positiveOnly)
{
    QVector<QPointF> points;
    for (const QVector<double> &row : table.rows) {
        const double value = column > 0 && column < row.size() ? row[column] : NAN;
        if (std::isfinite(value) && (!positiveOnly || value > 0.0))
            points.append(QPointF(row[0], value));
    }
    return points;
}

} // namespace

Form_TimeSeries::Form_TimeSeries(OperatorDialogs *dialogs, LongWork *work, QWidget *parent)
    : QWidget(parent), dialogs(dialogs), work(work),
      plots(std::make_unique<TimeSeriesPlots>(this)), mode(kTimeSeriesMode)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plots->widget());
    createActions();
    connectPlots();
    resetCalculator();
    connect(work, &LongWork::busyChanged, this, [this](bool busy) {
        if (!busy && calculationPending)
            QTimer::singleShot(0, this, &Form_TimeSeries::startPendingCalculation);
    });
    showMode(kTimeSeriesMode);
}

Form_TimeSeries::~Form_TimeSeries() = default;

QwtPlotGraph *Form_TimeSeries::channelPlot(int slot) const { return plots->channelPlot(slot); }
QwtPlotGraph *Form_TimeSeries::coherencyPlot() const { return plots->coherencyPlot(); }
QScrollBar *Form_TimeSeries::scrollBar() const { return plots->scrollBar(); }
QList<int> Form_TimeSeries::shownSlots() const { return plots->shownSlots(); }

void Form_TimeSeries::createActions()
{
    for (const ActionEntry &entry : kActionEntries) {
        auto *action = new QAction(QString::fromUtf8(entry.label), this);
        connect(action, &QAction::triggered, this, entry.slot);
        actions.append(action);
    }
    setSpectrumActionsEnabled(false);
}

void Form_TimeSeries::connectPlots()
{
    QList<QwtPlotGraph *> all{plots->coherencyPlot()};
    for (int slot = 0; slot < kChannelSlotCount; ++slot)
        all.append(plots->channelPlot(slot));
    for (QwtPlotGraph *plot : all) {
        for (QAction *action : qAsConst(actions))
            plot->addContextAction(action);
        plot->canvas()->installEventFilter(this);
        connect(plot, &QwtPlotGraph::signalZoomed, this, [this, plot] { followZoom(plot); });
    }
    connect(plots->scrollBar(), &QScrollBar::valueChanged, this,
            &Form_TimeSeries::on_horizontalScrollBar_valueChanged);
}

// A fresh calculator for every run, so that a channel a run skips (its calibration tables did
// not load) never shows the spectra of an earlier recording.
void Form_TimeSeries::resetCalculator()
{
    delete calculator;
    calculator = new Data_RhoworksCalc(this);
    connect(calculator, &Data_RhoworksCalc::interpfinished, this, &Form_TimeSeries::threadFinished,
            Qt::QueuedConnection);
}

bool Form_TimeSeries::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        emit objectFoucsQwtPlotChanged();
        break;
    case QEvent::Resize:
        if (plots->columnCount() != drawnColumns)
            redraw();
        break;
    case QEvent::MouseMove:
        if (slotOfCanvas(watched) >= 0 || watched == plots->coherencyPlot()->canvas())
            emit cursorReadout(cursorText(slotOfCanvas(watched), static_cast<QMouseEvent *>(event)->pos()));
        break;
    case QEvent::Leave:
        emit cursorReadout(QString());
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

int Form_TimeSeries::slotOfCanvas(const QObject *canvas) const
{
    for (int slot = 0; slot < kChannelSlotCount; ++slot)
        if (plots->channelPlot(slot)->canvas() == canvas)
            return slot;
    return -1;
}

// slot: the channel plot under the pointer, or -1 for the coherency plot.
QString Form_TimeSeries::cursorText(int slot, const QPoint &pos) const
{
    if (mode == kTimeSeriesMode)
        return slot >= 0 ? timeCursorText(slot, pos) : QString();
    return frequencyCursorText(slot, pos);
}

// The time under the pointer and the channel's samples in that pixel column.
QString Form_TimeSeries::timeCursorText(int slot, const QPoint &pos) const
{
    const double fs = shown.sampleRate();
    const double x = plots->channelPlot(slot)->invTransform(QwtPlot::xBottom, pos.x());
    const qint64 index = qint64(std::floor(fs > 0 ? x * fs : x));
    const qint64 perPixel = std::max<qint64>(1, qint64(std::ceil(double(count) / std::max(1, drawnColumns))));
    double low = 0.0, high = 0.0;
    if (!shown.series(slot).extremes(index, perPixel, low, high))
        return QString();
    const double factor = shown.displayFactor(slot);
    const QString place = fs > 0 ? QStringLiteral("时间 %1 s").arg(index / fs, 0, 'f', fs >= 1000 ? 4 : 3)
                                 : QStringLiteral("样点 %1").arg(index);
    return place + QStringLiteral("    ") + TimeSeriesPlots::channelLabel(slot) + QLatin1Char(' ')
           + CurveColumnReadout::rangeText(low * factor, high * factor) + QLatin1Char(' ') + unitOf(slot);
}

// The frequency of the drawn column nearest the pointer and what each curve of the plot shows
// there: a channel's amplitude (its spread over the segments where it has one) or the
// coherencies.
QString Form_TimeSeries::frequencyCursorText(int slot, const QPoint &pos) const
{
    const QwtPlotGraph *plot = slot >= 0 ? plots->channelPlot(slot) : plots->coherencyPlot();
    const QList<CurveColumnReadout::Reading> readings = CurveColumnReadout::read(*plot, pos.x());
    const double f = readings.isEmpty() ? plot->invTransform(QwtPlot::xBottom, pos.x()) : readings.first().x;
    QString text = QStringLiteral("频率 %1 Hz").arg(f, 0, 'g', 5);
    for (const CurveColumnReadout::Reading &reading : readings) {
        text += QStringLiteral("    ") + reading.title + QLatin1Char(' ')
                + CurveColumnReadout::rangeText(reading.low, reading.high);
        if (slot >= 0)
            text += QLatin1Char(' ') + unitOf(slot);
    }
    return text;
}

// ---- the recording ----

void Form_TimeSeries::onTimeSeriesParamChanged(QList<MTSampleData> SampleList,
                                               ReCalculateParam calcParam)
{
    shown.clear();
    shown.setChannelDescriptors(SampleList, calcParam);
    forgetSpectra();
    showMode(kTimeSeriesMode);
    scheduleCalculation();
}

void Form_TimeSeries::onOneChannelTimeSeriesParamChaged(QList<OneMTSample> samples,
                                                        ReCalculateParam calcParam)
{
    shown.setPairDescriptors(samples, calcParam);
    forgetSpectra();
    scheduleCalculation();
}

void Form_TimeSeries::onTimeSeriesChanged(QList<QVector<double>> dataList, QString type)
{
    if (!shown.setSeries(type, dataList))
        return;
    forgetSpectra();
    showMode(kTimeSeriesMode);
    if (shown.hasDescriptors())
        scheduleCalculation();
}

void Form_TimeSeries::onTimeSeriesPlots(QList<QString> strList)
{
    shown.keepChannels(strList);
    showMode(mode == kTimeSeriesMode || results.isEmpty() ? kTimeSeriesMode : mode);
}

void Form_TimeSeries::forgetSpectra()
{
    results = RecordingSpectra();
    pairCoherency = NumberTable();
    analysis = NumberTable();
    setSpectrumActionsEnabled(false);
}

void Form_TimeSeries::setSpectrumActionsEnabled(bool enabled)
{
    for (int id = SpectrumAction; id < ActionCount; ++id)
        if (id != SaveAction)
            actions[id]->setEnabled(enabled);
}

// ---- the calculator ----

// The descriptors and series of one recording arrive in several signals; the run starts once,
// after all of them, from the event loop.
void Form_TimeSeries::scheduleCalculation()
{
    calculationPending = true;
    QTimer::singleShot(0, this, &Form_TimeSeries::startPendingCalculation);
}

void Form_TimeSeries::startPendingCalculation()
{
    if (!calculationPending || work->isBusy())
        return;  // a busy worker resumes the run when it ends
    calculationPending = false;
    runCalculation();
}

void Form_TimeSeries::runCalculation()
{
    const int n = shown.segmentLength();
    if (n <= 1 || shown.channelSlots().isEmpty() || !shown.hasDescriptors() || shown.sampleRate() <= 0)
        return;
    resetCalculator();
    const bool channelRun = !shown.channelDescriptors().isEmpty();
    if (channelRun)
        calculator->setSampleList(shown.channelDescriptors(), shown.names());
    else
        calculator->setOneSampleList(shown.pairDescriptors(), shown.names());
    for (int slot : shown.channelSlots())
        calculator->setChannelSegments(ChannelSlots::nameOfSlot(slot), shown.series(slot).segments());
    bool completed = false;
    Data_RhoworksCalc *calc = calculator;
    const LongWork::Outcome outcome = work->run(QStringLiteral("计算频谱"), [&](WorkFeedback &feedback) {
        const Data_RhoworksCalc::Progress progress = [&feedback](int done, int total) {
            feedback.report(double(done) / total,
                            QStringLiteral("正在计算频谱：第 %1 / %2 段").arg(done).arg(total));
            return !feedback.isCancelled();
        };
        completed = channelRun ? calc->calcChannelSpectra(n, progress) : calc->calcPairSpectra(n, progress);
    });
    if (outcome == LongWork::Refused)
        calculationPending = true;
    else if (!completed)
        emit statusMessage(QStringLiteral("频谱计算已取消"));
}

void Form_TimeSeries::threadFinished()
{
    qDebug() << "thread finished";
    collectSpectra();
    setSpectrumActionsEnabled(!results.isEmpty());
    emit statusMessage(QStringLiteral("频谱计算完成"));
}

void Form_TimeSeries::collectSpectra()
{
    RecordingSpectra s;
    const int n = shown.segmentLength();
    const double fs = shown.sampleRate();
    for (int k = 1; k < n / 2 + 1; ++k)
        s.frequencies.append(k * fs / n);
    const QStringList names = shown.names();
    for (const QString &name : names) {
        const int slot = ChannelSlots::slotOfName(name);
        QList<QVector<double>> raw, calibrated;
        calculator->channelResults(name, raw, calibrated, s.stacked[slot]);
        s.raw[slot] = SpectrumEnvelope(s.frequencies, raw);
        s.calibrated[slot] = SpectrumEnvelope(s.frequencies, calibrated);
        s.stackedEnvelope[slot] = SpectrumEnvelope(s.frequencies, {s.stacked[slot]});
    }
    if (names.size() >= 4) {
        QVector<OneFreqCrossPower> eyHy;
        calculator->crossPowerResults(s.exHy, eyHy, s.ex2Hy, s.meanEHy);
    }
    s.eyHx = calculator->stackedCrossPowerEyHx();
    s.hxHy = calculator->stackedCrossPowerHxHy();
    results = s;
    pairCoherency = SpectrumAnalysis::pairCoherencyTable(results, SpectrumAnalysis::spanTargets(results));
}

// ---- display modes ----

void Form_TimeSeries::ontimeSeriesActionTriggled() { showMode(kTimeSeriesMode); }

void Form_TimeSeries::onspectrumActionTriggled()
{
    if (!results.isEmpty())
        showMode(kSpectrumMode);
}

void Form_TimeSeries::oncalibrateSpectrumTriggled()
{
    if (!results.isEmpty())
        showMode(kCalibratedMode);
}

void Form_TimeSeries::onstackedSpectrum()
{
    if (!results.isEmpty())
        showMode(kStackedMode);
}

void Form_TimeSeries::showMode(const QString &newMode)
{
    mode = newMode;
    const bool time = mode == kTimeSeriesMode;
    const bool rateKnown = shown.sampleRate() > 0;
    plots->setScales(time ? TimeSeriesPlots::LinearScales : TimeSeriesPlots::LogScales,
                     time ? (rateKnown ? QStringLiteral("时间 (s)") : QStringLiteral("样点"))
                          : QStringLiteral("频率(Hz)"));
    plots->arrange(time ? shown.channelSlots() : spectrumSlots());
    for (int slot = 0; slot < kChannelSlotCount; ++slot)
        plots->setUnit(slot, unitOf(slot));
    plots->setTitle(titleOf(mode));
    plots->setCoherencyShown(!time);
    plots->setPagerShown(time);
    plots->forgetZooms();
    first = 0;
    count = shown.sampleCount();
    freqLow = results.lowestFrequency();
    freqHigh = results.highestFrequency();
    redraw();
    plots->balanceCanvasHeights();
}

void Form_TimeSeries::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    QTimer::singleShot(0, this, [this] { plots->balanceCanvasHeights(); });
}

QList<int> Form_TimeSeries::spectrumSlots() const
{
    QList<int> chosen;
    for (int slot : shown.channelSlots())
        if (!results.stacked[slot].isEmpty()
            && !(mode == kMagneticAnalysisMode && ChannelSlots::isElectric(slot)))
            chosen.append(slot);
    return chosen;
}

QString Form_TimeSeries::unitOf(int slot) const
{
    const bool electric = ChannelSlots::isElectric(slot);
    if (mode == kTimeSeriesMode)
        return shown.timeUnit(slot);
    if (mode == kSpectrumMode)
        return electric ? kCalibratedElectricUnit : QStringLiteral("mv/(sqrt(Hz))");
    return electric ? kCalibratedElectricUnit : QStringLiteral("nT/(sqrt(Hz))");
}

void Form_TimeSeries::redraw()
{
    drawnColumns = plots->columnCount();
    if (mode == kTimeSeriesMode)
        drawTimeSeries();
    else if (mode == kElectricAnalysisMode || mode == kMagneticAnalysisMode)
        drawTable(analysis, analysisCoherencies);
    else
        drawSpectra();
}

void Form_TimeSeries::drawTimeSeries()
{
    const double fs = shown.sampleRate();
    const double secondsPerSample = fs > 0 ? 1.0 / fs : 1.0;
    for (int slot : shown.channelSlots()) {
        QVector<QPointF> points = shown.series(slot).polyline(first, count, drawnColumns);
        const double factor = shown.displayFactor(slot);
        for (QPointF &point : points)
            point = QPointF(point.x() * secondsPerSample, point.y() * factor);
        plots->setCurve(slot, points);
    }
    plots->setXRange(first * secondsPerSample, (first + count) * secondsPerSample);
    updatePager();
    plots->replotAll();
}

const SpectrumEnvelope &Form_TimeSeries::envelopeOf(int slot) const
{
    if (mode == kSpectrumMode)
        return results.raw[slot];
    if (mode == kCalibratedMode)
        return results.calibrated[slot];
    return results.stackedEnvelope[slot];
}

void Form_TimeSeries::drawSpectra()
{
    for (int slot : plots->shownSlots())
        plots->setCurve(slot, envelopeOf(slot).polyline(freqLow, freqHigh, drawnColumns));
    const QList<TimeSeriesPlots::NamedPoints> coherencies{
        {QStringLiteral("ExHy"), pointsOf(pairCoherency, pairCoherency.columnOf("ExHy"), false)},
        {QStringLiteral("EyHx"), pointsOf(pairCoherency, pairCoherency.columnOf("EyHx"), false)}};
    plots->setCoherencyCurves(coherencies);
    plots->setXRange(freqLow, freqHigh);
    plots->replotAll();
}

void Form_TimeSeries::drawTable(const NumberTable &table, const QStringList &coherencyColumns)
{
    for (int slot : plots->shownSlots())
        plots->setCurve(slot, pointsOf(table, table.columnOf(ChannelSlots::nameOfSlot(slot)), true), true);
    QList<TimeSeriesPlots::NamedPoints> coherencies;
    for (const QString &name : coherencyColumns)
        coherencies.append({name, pointsOf(table, table.columnOf(name), false)});
    plots->setCoherencyCurves(coherencies);
    plots->setXRange(freqLow, freqHigh);
    plots->replotAll();
}

// ---- paging and zooming ----

void Form_TimeSeries::on_horizontalScrollBar_valueChanged(int value)
{
    if (mode != kTimeSeriesMode)
        return;
    first = qBound<qint64>(0, value, std::max<qint64>(0, shown.sampleCount() - count));
    drawTimeSeries();
}

void Form_TimeSeries::showWindow(qint64 start, qint64 length)
{
    if (mode != kTimeSeriesMode)
        showMode(kTimeSeriesMode);
    const qint64 total = shown.sampleCount();
    count = qBound(std::min(kShortestWindow, total), length, total);
    first = qBound<qint64>(0, start, total - count);
    drawTimeSeries();
}

void Form_TimeSeries::updatePager()
{
    QScrollBar *bar = plots->scrollBar();
    const QSignalBlocker blocker(bar);
    const qint64 total = shown.sampleCount();
    bar->setRange(0, int(std::max<qint64>(0, total - count)));
    bar->setPageStep(int(std::max<qint64>(1, count)));
    bar->setSingleStep(int(std::max<qint64>(1, count / 10)));
    bar->setValue(int(first));
    bar->setEnabled(count < total);
}

// A zoom step on one plot moves the shared x axis of all of them; the plots' zoom memory follows,
// so that Home (or "全图显示") on any of them returns every plot to the full view.
void Form_TimeSeries::followZoom(QwtPlotGraph *source)
{
    if (followingZoom)
        return;
    const QScopedValueRollback<bool> guard(followingZoom, true);
    for (QwtPlotGraph *plot : plots->xLinkedPlots()) {
        if (plot == source)
            continue;
        if (!source->isZoomed())
            plot->zoomHome();
        else if (!plot->isZoomed())
            plot->zoomToRect(plot->canvas()->rect());
    }
    const QwtScaleDiv &div = source->axisScaleDiv(QwtPlot::xBottom);
    const double low = std::min(div.lowerBound(), div.upperBound());
    const double high = std::max(div.lowerBound(), div.upperBound());
    if (mode == kTimeSeriesMode) {
        const double fs = shown.sampleRate() > 0 ? shown.sampleRate() : 1.0;
        showWindow(qint64(std::floor(low * fs)), qint64(std::ceil((high - low) * fs)));
        return;
    }
    freqLow = std::max(low, results.lowestFrequency());
    freqHigh = std::min(high, results.highestFrequency());
    if (!(freqHigh > freqLow)) {
        freqLow = results.lowestFrequency();
        freqHigh = results.highestFrequency();
    }
    redraw();
}

// ---- analyses and saving ----

void Form_TimeSeries::onAnasysESpectrumTriggled()
{
    if (results.isEmpty())
        return;
    analysis = SpectrumAnalysis::electricTable(results);
    analysisCoherencies = QStringList{"CohE0", "CohE1", "CohE2", "CohEall"};
    showMode(kElectricAnalysisMode);
    exportTable(analysis);
}

void Form_TimeSeries::onAnasysHSpectrumTriggled()
{
    if (results.isEmpty())
        return;
    analysis = SpectrumAnalysis::magneticTable(results);
    analysisCoherencies = QStringList{"CohHxHy"};
    showMode(kMagneticAnalysisMode);
}

void Form_TimeSeries::onSaveHAnasysHCrossPowerTriggled()
{
    if (!results.isEmpty())
        exportTable(SpectrumAnalysis::magneticCrossPowerTable(results));
}

void Form_TimeSeries::onSaveActionTriggled()
{
    if (shown.channelSlots().isEmpty())
        return;
    const QString path = askExportFile();
    if (path.isEmpty())
        return;
    report(mode == kTimeSeriesMode ? saveTimeWindow(path) : NumberTableFile::write(path, shownTable()));
}

QString Form_TimeSeries::askExportFile()
{
    return dialogs->saveFileName(kExportTitle, QString(), kExportFilter);
}

void Form_TimeSeries::exportTable(const NumberTable &table)
{
    const QString path = askExportFile();
    if (!path.isEmpty())
        report(NumberTableFile::write(path, table));
}

NumberTableFile::Outcome Form_TimeSeries::saveTimeWindow(const QString &path)
{
    QStringList header{QStringLiteral("Time")};
    QList<SampleEnvelope> series;
    QList<double> factors;
    for (int slot : plots->shownSlots()) {
        header.append(ChannelSlots::nameOfSlot(slot));
        series.append(shown.series(slot));
        factors.append(shown.displayFactor(slot));
    }
    const double fs = shown.sampleRate();
    const qint64 start = first;
    const NumberTableFile::RowAt rowAt = [=](qint64 row) {
        const qint64 index = start + row;
        QVector<double> values{fs > 0 ? index / fs : double(index)};
        for (int c = 0; c < series.size(); ++c)
            values.append(index < series[c].size() ? series[c].value(index) * factors[c] : NAN);
        return values;
    };
    // Times to the microsecond over a day: enough digits to tell neighbouring samples apart.
    const QVector<int> digits{12};
    if (count < kRowsWithoutProgress)
        return NumberTableFile::write(path, header, count, rowAt, {}, digits);
    NumberTableFile::Outcome outcome = NumberTableFile::Stopped;
    const qint64 rows = count;
    work->run(kExportTitle, [&](WorkFeedback &feedback) {
        outcome = NumberTableFile::write(path, header, rows, rowAt, [&feedback](qint64 done, qint64 total) {
            feedback.report(double(done) / total, QStringLiteral("正在写入：%1 / %2 行").arg(done).arg(total));
            return !feedback.isCancelled();
        }, digits);
    });
    return outcome;
}

NumberTable Form_TimeSeries::shownTable() const
{
    if (mode == kElectricAnalysisMode || mode == kMagneticAnalysisMode)
        return analysis;
    const bool spread = mode != kStackedMode;
    NumberTable table;
    table.header.append(QStringLiteral("Freq"));
    const QList<int> shownList = plots->shownSlots();
    for (int slot : shownList) {
        const QString name = ChannelSlots::nameOfSlot(slot);
        table.header << (spread ? QStringList{name + "Min", name + "Max"} : QStringList{name});
    }
    for (int i = 0; i < results.frequencies.size(); ++i) {
        const double f = results.frequencies[i];
        if (f < freqLow || f > freqHigh)
            continue;
        QVector<double> row{f};
        for (int slot : shownList) {
            if (spread)
                row << envelopeOf(slot).lower().value(i, NAN) << envelopeOf(slot).upper().value(i, NAN);
            else
                row << results.stacked[slot].value(i, NAN);
        }
        table.rows.append(row);
    }
    return table;
}

void Form_TimeSeries::report(NumberTableFile::Outcome outcome)
{
    switch (outcome) {
    case NumberTableFile::Written:
        emit statusMessage(QStringLiteral("保存数据成功"));
        break;
    case NumberTableFile::NotOpened:
        dialogs->critical(kExportTitle, QStringLiteral("导出文件不能打开"));
        break;
    case NumberTableFile::WriteFailed:
        dialogs->critical(kExportTitle, QStringLiteral("导出文件写入失败"));
        break;
    case NumberTableFile::Stopped:
        emit statusMessage(QStringLiteral("导出已取消"));
        break;
    }
}
