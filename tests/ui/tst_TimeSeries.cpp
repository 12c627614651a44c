// The time-series view on a synthetic recording: display modes, the calculator run and the
// actions it enables, paging, the calibrated spectrum of a known sine, saving and its failure,
// and the view's place in the main window.

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QStackedWidget>
#include <QtTest>
#include <qwt_plot_curve.h>
#include <qwt_scale_engine.h>
#include <qwt_text.h>

#include "MainWindowFixture.h"
#include "QwtPlotGraph.h"
#include "TimeSeriesFixture.h"
#include "TreeModel_Index.h"

namespace {

QVector<QPointF> curvePoints(const QwtPlotGraph *plot)
{
    for (QwtPlotItem *item : plot->itemList(QwtPlotItem::Rtti_PlotCurve)) {
        auto *curve = static_cast<QwtPlotCurve *>(item);
        if (curve->isVisible() && curve->dataSize() > 0) {
            QVector<QPointF> points;
            for (size_t i = 0; i < curve->dataSize(); ++i)
                points.append(curve->sample(int(i)));
            return points;
        }
    }
    return {};
}

bool isLog(const QwtPlotGraph *plot, int axisId)
{
    return dynamic_cast<const QwtLogScaleEngine *>(plot->axisScaleEngine(axisId)) != nullptr;
}

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class TestTimeSeries : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { registerProcessingMetaTypes(); }
    void seriesAreDrawnAsEnvelopesOnStackedPlots();
    void modeSetsTitleScalesAndUnits_data();
    void modeSetsTitleScalesAndUnits();
    void spectrumActionsWaitForTheCalculator();
    void sineAppearsAtItsFrequencyAndHeight();
    void channelCanvasesShareTheHeight_data();
    void channelCanvasesShareTheHeight();
    void scrollBarPagesThroughTheRecording();
    void wheelZoomNarrowsEveryPlotAndHomeReturns();
    void pointerReadsTheSamplesUnderIt();
    void saveWritesTheSamplesInView();
    void unopenableExportGivesCriticalBoxAndWritesNothing_data();
    void unopenableExportGivesCriticalBoxAndWritesNothing();
    void openedRecordingFillsTheCentralView();
};

void TestTimeSeries::seriesAreDrawnAsEnvelopesOnStackedPlots()
{
    TimeSeriesFixture f;
    QVERIFY(f.valid);
    f.form->show();
    f.feed();
    QCOMPARE(f.form->displayMode(), QStringLiteral("timeseries"));
    QCOMPARE(f.form->shownSlots(), QList<int>({Slot_Ex, Slot_Ey, Slot_Ex2, Slot_Hx, Slot_Hy}));
    const QwtPlotGraph *hy = f.form->channelPlot(Slot_Hy);
    const QVector<QPointF> points = curvePoints(hy);
    // 8192 samples on a canvas of at most a thousand pixels: two points per column, not 8192.
    QVERIFY(points.size() > 100 && points.size() <= 2 * hy->canvas()->width());
    double low = 0.0, high = 0.0;
    for (const QPointF &p : points) {
        low = std::min(low, p.y());
        high = std::max(high, p.y());
    }
    QVERIFY(std::fabs(high - TimeSeriesFixture::kSineAmplitude) < 0.05);
    QVERIFY(std::fabs(low + TimeSeriesFixture::kSineAmplitude) < 0.05);
    // x in seconds: 8192 samples at 64 Hz span 128 s.
    QCOMPARE(hy->axisScaleDiv(QwtPlot::xBottom).upperBound(), 128.0);
}

void TestTimeSeries::modeSetsTitleScalesAndUnits_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("logScales");
    QTest::addColumn<QString>("electricTitle");
    QTest::addColumn<QString>("magneticTitle");
    QTest::newRow("time series") << int(Form_TimeSeries::TimeSeriesAction) << "timeseries" << "时间序列"
                                 << false << "E0 (mv/km)" << "Hx (mv)";
    QTest::newRow("spectrum") << int(Form_TimeSeries::SpectrumAction) << "spectrumseries" << "频谱" << true
                              << "E0 (mv/(km sqrt(Hz)))" << "Hx (mv/(sqrt(Hz)))";
    QTest::newRow("calibrated") << int(Form_TimeSeries::CalibratedAction) << "calibrateseries" << "标定频谱"
                                << true << "E0 (mv/(km sqrt(Hz)))" << "Hx (nT/(sqrt(Hz)))";
    QTest::newRow("stacked") << int(Form_TimeSeries::StackedAction) << "stackedseries" << "叠加的标定谱"
                             << true << "E0 (mv/(km sqrt(Hz)))" << "Hx (nT/(sqrt(Hz)))";
}

void TestTimeSeries::modeSetsTitleScalesAndUnits()
{
    QFETCH(int, action);
    QFETCH(QString, mode);
    QFETCH(QString, title);
    QFETCH(bool, logScales);
    QFETCH(QString, electricTitle);
    QFETCH(QString, magneticTitle);
    TimeSeriesFixture f;
    QVERIFY(f.feedAndCalculate());
    f.form->action(Form_TimeSeries::ActionId(action))->trigger();
    QCOMPARE(f.form->displayMode(), mode);
    const QwtPlotGraph *top = f.form->channelPlot(f.form->shownSlots().first());
    QCOMPARE(top->title().text(), title);
    for (int slot : f.form->shownSlots()) {
        QCOMPARE(isLog(f.form->channelPlot(slot), QwtPlot::xBottom), logScales);
        QCOMPARE(isLog(f.form->channelPlot(slot), QwtPlot::yLeft), logScales);
    }
    QCOMPARE(f.form->channelPlot(Slot_Ex)->axisTitle(QwtPlot::yLeft).text(), electricTitle);
    QCOMPARE(f.form->channelPlot(Slot_Hx)->axisTitle(QwtPlot::yLeft).text(), magneticTitle);
    QCOMPARE(f.form->coherencyPlot()->isVisibleTo(f.form.get()), logScales);
    QCOMPARE(f.form->scrollBar()->isVisibleTo(f.form.get()), !logScales);
}

void TestTimeSeries::spectrumActionsWaitForTheCalculator()
{
    TimeSeriesFixture f;
    f.feed();
    const QList<Form_TimeSeries::ActionId> waiting{
        Form_TimeSeries::SpectrumAction, Form_TimeSeries::CalibratedAction,
        Form_TimeSeries::StackedAction, Form_TimeSeries::MagneticAnalysisAction,
        Form_TimeSeries::ElectricAnalysisAction, Form_TimeSeries::SaveMagneticAnalysisAction};
    for (Form_TimeSeries::ActionId id : waiting)
        QVERIFY(!f.form->action(id)->isEnabled());
    QVERIFY(f.form->action(Form_TimeSeries::TimeSeriesAction)->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(f.spectraReady(), TimeSeriesFixture::kCalculationTimeoutMs);
    for (Form_TimeSeries::ActionId id : waiting)
        QVERIFY(f.form->action(id)->isEnabled());
    // A new recording takes the spectra away until its own run has finished.
    f.form->onTimeSeriesParamChanged(f.descriptors(), TimeSeriesFixture::settings());
    for (Form_TimeSeries::ActionId id : waiting)
        QVERIFY(!f.form->action(id)->isEnabled());
    QCOMPARE(f.form->displayMode(), QStringLiteral("timeseries"));
}

// Hy is a 1 Hz sine of amplitude 2 mV with unit calibration: the stacked calibrated spectrum
// peaks at 1 Hz with the height of the windowed DFT of the segment, computed here directly, and the
// pointer's read-out gives the drawn line under it, not the pointer's height.
void TestTimeSeries::sineAppearsAtItsFrequencyAndHeight()
{
    TimeSeriesFixture f;
    QVERIFY(f.show(1400, 800));  // a coherency plot wide enough to part its target frequencies
    QVERIFY(f.feedAndCalculate());
    f.form->action(Form_TimeSeries::StackedAction)->trigger();
    const QVector<QPointF> points = curvePoints(f.form->channelPlot(Slot_Hy));
    QVERIFY(!points.isEmpty());
    const auto peak = std::max_element(points.cbegin(), points.cend(),
                                       [](const QPointF &a, const QPointF &b) { return a.y() < b.y(); });
    QVERIFY2(std::fabs(peak->x() - TimeSeriesFixture::kSineHz) < 1e-9, qPrintable(QString::number(peak->x())));
    const int k = int(TimeSeriesFixture::kSineHz * TimeSeriesFixture::kN / TimeSeriesFixture::kRate);
    double expected = 0.0;
    for (const QVector<double> &segment : f.segments[Slot_Hy])
        expected += Fixtures::referenceSpectrum(segment, TimeSeriesFixture::kRate).at(k - 1).amplitude
                    / TimeSeriesFixture::kSegments;
    QCLOSE(peak->y(), expected, 1e-9);
    // Nothing comparable elsewhere: three hertz away the spectrum is under one percent of the peak.
    for (const QPointF &p : points)
        if (std::fabs(p.x() - TimeSeriesFixture::kSineHz) > 3.0)
            QVERIFY2(p.y() < 0.01 * peak->y(), qPrintable(QString("%1 Hz: %2").arg(p.x()).arg(p.y())));

    QSignalSpy spy(f.form.get(), &Form_TimeSeries::cursorReadout);
    const auto moveTo = [](QwtPlotGraph *plot, double freq) {
        const QPoint pixel(qRound(plot->transform(QwtPlot::xBottom, freq)), 5);
        QMouseEvent move(QEvent::MouseMove, pixel, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(plot->canvas(), &move);
    };
    moveTo(f.form->channelPlot(Slot_Hy), TimeSeriesFixture::kSineHz);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.last().first().toString(),
             QStringLiteral("频率 1 Hz    Hy %1 nT/(sqrt(Hz))").arg(expected, 0, 'g', 5));
    // Over the coherency plot at its first target frequency: both pairs by name, Ex-Hy's value
    // the one it draws there. Shown again beside the spectra, it takes its quarter of the width.
    QwtPlotGraph *coherency = f.form->coherencyPlot();
    QTRY_VERIFY(coherency->canvas()->width() > 250);
    const QVector<QPointF> coherencies = curvePoints(coherency);
    QVERIFY(!coherencies.isEmpty());
    moveTo(coherency, coherencies.first().x());
    const QString text = spy.last().first().toString();
    QVERIFY2(text.startsWith(QStringLiteral("频率 %1 Hz").arg(coherencies.first().x(), 0, 'g', 5))
                 && text.contains(QStringLiteral("    ExHy %1    EyHx ").arg(coherencies.first().y(), 0, 'g', 5)),
             qPrintable(text));
}

void TestTimeSeries::channelCanvasesShareTheHeight_data()
{
    QTest::addColumn<int>("action");
    QTest::newRow("time series") << int(Form_TimeSeries::TimeSeriesAction);
    QTest::newRow("stacked spectra") << int(Form_TimeSeries::StackedAction);
}

// The title on the top plot and the x axis under the lowest one take no height from their
// channels: every channel is drawn on a canvas of the same height.
void TestTimeSeries::channelCanvasesShareTheHeight()
{
    QFETCH(int, action);
    TimeSeriesFixture f;
    QVERIFY(f.show(1200, 800));
    QVERIFY(f.feedAndCalculate());
    f.form->action(Form_TimeSeries::ActionId(action))->trigger();
    QCoreApplication::sendPostedEvents();
    const QList<int> shown = f.form->shownSlots();
    QCOMPARE(shown.size(), 5);
    const int top = f.form->channelPlot(shown.first())->canvas()->height();
    QVERIFY(top > 60);
    for (int slot : shown)
        QVERIFY2(std::abs(f.form->channelPlot(slot)->canvas()->height() - top) <= 2,
                 qPrintable(QString("%1: %2 against %3").arg(slot).arg(f.form->channelPlot(slot)->canvas()->height()).arg(top)));
}

void TestTimeSeries::scrollBarPagesThroughTheRecording()
{
    TimeSeriesFixture f;
    f.feed();
    f.form->showWindow(0, 1024);
    QScrollBar *bar = f.form->scrollBar();
    QVERIFY(bar->isEnabled());
    QCOMPARE(bar->pageStep(), 1024);
    QCOMPARE(bar->maximum(), 8192 - 1024);
    bar->setValue(2048);
    QCOMPARE(f.form->windowStart(), qint64(2048));
    QCOMPARE(f.form->windowLength(), qint64(1024));
    const QwtPlotGraph *hy = f.form->channelPlot(Slot_Hy);
    QCOMPARE(hy->axisScaleDiv(QwtPlot::xBottom).lowerBound(), 2048 / TimeSeriesFixture::kRate);
    QCOMPARE(hy->axisScaleDiv(QwtPlot::xBottom).upperBound(), 3072 / TimeSeriesFixture::kRate);
    // Every plot shows the same window.
    for (int slot : f.form->shownSlots()) {
        const QwtScaleDiv &div = f.form->channelPlot(slot)->axisScaleDiv(QwtPlot::xBottom);
        QCOMPARE(div.lowerBound(), 32.0);
        for (const QPointF &p : curvePoints(f.form->channelPlot(slot)))
            QVERIFY(p.x() >= 32.0 && p.x() < 48.0);
    }
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(f.form->windowStart(), qint64(3072));
}

void TestTimeSeries::wheelZoomNarrowsEveryPlotAndHomeReturns()
{
    TimeSeriesFixture f;
    QVERIFY(f.show());
    f.feed();
    QwtPlotGraph *ex = f.form->channelPlot(Slot_Ex);
    const QPoint centre = ex->canvas()->rect().center();
    ex->zoomAt(true, centre);
    ex->zoomAt(true, centre);
    const qint64 zoomed = f.form->windowLength();
    QVERIFY2(zoomed < 8192 * 0.7 && zoomed > 8192 * 0.55, qPrintable(QString::number(zoomed)));
    const QwtScaleDiv exDiv = ex->axisScaleDiv(QwtPlot::xBottom);
    for (int slot : f.form->shownSlots()) {
        QCOMPARE(f.form->channelPlot(slot)->axisScaleDiv(QwtPlot::xBottom).lowerBound(), exDiv.lowerBound());
        QVERIFY(f.form->channelPlot(slot)->isZoomed());
    }
    QVERIFY(f.form->scrollBar()->isEnabled());
    f.form->channelPlot(Slot_Hy)->zoomHome();
    QCOMPARE(f.form->windowStart(), qint64(0));
    QCOMPARE(f.form->windowLength(), qint64(8192));
    QVERIFY(!ex->isZoomed());
    QVERIFY(!f.form->scrollBar()->isEnabled());
}

void TestTimeSeries::pointerReadsTheSamplesUnderIt()
{
    TimeSeriesFixture f;
    QVERIFY(f.show());
    f.feed();
    f.form->showWindow(0, 100);
    QwtPlotGraph *hy = f.form->channelPlot(Slot_Hy);
    QSignalSpy spy(f.form.get(), &Form_TimeSeries::cursorReadout);
    const auto moveTo = [hy](double seconds) {
        const QPoint pixel(qRound(hy->transform(QwtPlot::xBottom, seconds)), hy->canvas()->height() / 2);
        QMouseEvent move(QEvent::MouseMove, pixel, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(hy->canvas(), &move);
    };
    // Sample 32 lies at 0.5 s; a pixel column of a 100-sample window holds one sample.
    moveTo(32.4 / TimeSeriesFixture::kRate);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.last().first().toString(),
             QStringLiteral("时间 0.500 s    Hy %1 mv").arg(f.segments[Slot_Hy][0][32], 0, 'g', 5));
    // Over the whole recording a column holds several samples: their lowest and highest.
    f.form->showWindow(0, 8192);
    moveTo(64.0);
    QVERIFY2(spy.last().first().toString().contains(QStringLiteral(" … ")), qPrintable(spy.last().first().toString()));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(hy->canvas(), &leave);
    QVERIFY(spy.last().first().toString().isEmpty());
}

void TestTimeSeries::saveWritesTheSamplesInView()
{
    TimeSeriesFixture f;
    f.feed();
    f.form->showWindow(1000, 100);
    f.dialogs.fileNames.enqueue(f.path("window.dat"));
    QSignalSpy status(f.form.get(), &Form_TimeSeries::statusMessage);
    f.form->action(Form_TimeSeries::SaveAction)->trigger();
    const QStringList lines = readLines(f.path("window.dat"));
    QCOMPARE(lines.size(), 101);
    QCOMPARE(lines.first(), QStringLiteral("Time,Ex,Ey,Ex2,Hx,Hy"));
    for (int r = 1; r <= 100; ++r) {
        const QStringList fields = lines[r].split(',');
        QCOMPARE(fields.size(), 6);
        const int index = 1000 + r - 1;
        QCLOSE(fields[0].toDouble(), index / TimeSeriesFixture::kRate, 1e-6);
        // 1000 m dipoles: mV/km equal the recorded mV.
        const double ey = f.segments[Slot_Ey][index / 1024][index % 1024];
        QVERIFY(std::fabs(fields[2].toDouble() - ey) <= 1e-5 * std::max(1.0, std::fabs(ey)));
    }
    QVERIFY(status.contains({QStringLiteral("保存数据成功")}));
    QVERIFY(f.dialogs.callsOf("critical").isEmpty());
}

void TestTimeSeries::unopenableExportGivesCriticalBoxAndWritesNothing_data()
{
    QTest::addColumn<int>("action");
    QTest::newRow("save") << int(Form_TimeSeries::SaveAction);
    QTest::newRow("electric analysis") << int(Form_TimeSeries::ElectricAnalysisAction);
    QTest::newRow("magnetic cross power") << int(Form_TimeSeries::SaveMagneticAnalysisAction);
}

void TestTimeSeries::unopenableExportGivesCriticalBoxAndWritesNothing()
{
    QFETCH(int, action);
    TimeSeriesFixture f;
    QVERIFY(f.feedAndCalculate());
    const QString target = f.path("no such folder/analysis.dat");
    f.dialogs.fileNames.enqueue(target);
    f.form->action(Form_TimeSeries::ActionId(action))->trigger();
    const QList<ScriptedOperatorDialogs::Call> critical = f.dialogs.callsOf("critical");
    QCOMPARE(critical.size(), 1);
    QCOMPARE(critical.first().text, QStringLiteral("导出文件不能打开"));
    QVERIFY(!QFile::exists(target));
    QVERIFY(!QFileInfo::exists(f.path("no such folder")));
}

// Through the main window: a double click on a recording of the project tree fills the central
// page 1 with the recording's channels, and the calculator's run enables the spectra.
void TestTimeSeries::openedRecordingFillsTheCentralView()
{
    WindowFixture w;
    QVERIFY(w.valid);
    QVERIFY(w.openProject());
    TreeModel_Index *hub = w.window->hub();
    const QModelIndex recording = hub->index(0, 0, hub->index(0, 0, hub->index(0, 0)));
    QVERIFY(recording.isValid());
    w.doubleClickInTree(recording);
    QCOMPARE(w.window->currentForm(), 1);
    Form_TimeSeries *view = w.window->timeSeriesView();
    QCOMPARE(w.window->centralPages()->currentWidget(), view);
    QCOMPARE(view->recording().names(), QStringList({"Ex", "Ey", "Ex2", "Hx", "Hy"}));
    for (int slot : view->shownSlots())
        QVERIFY(!curvePoints(view->channelPlot(slot)).isEmpty());
    // The pointer over a channel reads its time and samples in the status bar.
    QwtPlotGraph *hy = view->channelPlot(Slot_Hy);
    QMouseEvent move(QEvent::MouseMove, hy->canvas()->rect().center(), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(hy->canvas(), &move);
    const QLabel *position = w.window->findChild<QLabel *>(QStringLiteral("plotPositionLabel"));
    QVERIFY(position);
    QVERIFY2(position->text().startsWith(QStringLiteral("时间 ")) && position->text().contains(QStringLiteral("    Hy ")),
             qPrintable(position->text()));
    QTRY_VERIFY_WITH_TIMEOUT(view->action(Form_TimeSeries::StackedAction)->isEnabled(), TimeSeriesFixture::kCalculationTimeoutMs);
    view->action(Form_TimeSeries::CalibratedAction)->trigger();
    QVERIFY(!curvePoints(view->channelPlot(Slot_Hy)).isEmpty());
    QVERIFY(!curvePoints(view->coherencyPlot()).isEmpty());
}

QTEST_MAIN(TestTimeSeries)
#include "tst_TimeSeries.moc"
