#pragma once
// The time-series and spectrum view: the channels of the opened recording on stacked plots with
// aligned x axes, drawn as per-pixel min/max envelopes so that an hour of 24 kHz samples pages and
// zooms smoothly, with the time in seconds from the recording's first sample and a read-out of
// the samples under the pointer. Once the spectrum
// calculator has run over the recording (on a worker thread, under the progress dialog with
// Cancel), the view switches to the channels' spectra, calibrated spectra and stacked calibrated
// spectra (log axes, decimated per pixel column the same way) with the coherencies of Ex-Hy and
// Ey-Hx beside them, and offers the electric and magnetic analyses and their exports.
//
// Display modes: "timeseries", "spectrumseries", "calibrateseries", "stackedseries", and the two
// analyses "electricanalysis" and "magneticanalysis". Zooming (wheel, rubber band) acts on the
// shared x axis of every plot; each y axis fits the data in view. In "timeseries" mode the scroll
// bar pages through the recording by the width of the view.
//
// "&保存" writes what is shown as comma-separated text: in "timeseries" mode the samples in view
// ("Time" in s, then one column per channel in its display unit); in "spectrumseries" and
// "calibrateseries" the lines in view with the lowest and highest amplitude over the listed
// segments ("Freq", then "ExMin", "ExMax", ...); in "stackedseries" the stacked amplitudes
// ("Freq", "Ex", ...); in the analysis modes the analysis table.

#include <QList>
#include <QString>
#include <QWidget>
#include <memory>

#include "NumberTable.h"
#include "NumberTableFile.h"
#include "ProcessingRecords.h"
#include "RecordingSpectra.h"
#include "TimeSeriesRecording.h"

class Data_RhoworksCalc;
class LongWork;
class OperatorDialogs;
class QAction;
class QScrollBar;
class QwtPlotGraph;
class TimeSeriesPlots;

class Form_TimeSeries : public QWidget {
    Q_OBJECT
public:
    static const QString kTimeSeriesMode;        // "timeseries"
    static const QString kSpectrumMode;          // "spectrumseries"
    static const QString kCalibratedMode;        // "calibrateseries"
    static const QString kStackedMode;           // "stackedseries"
    static const QString kElectricAnalysisMode;  // "electricanalysis"
    static const QString kMagneticAnalysisMode;  // "magneticanalysis"

    // The context-menu actions, in menu order.
    enum ActionId { TimeSeriesAction, SpectrumAction, CalibratedAction, StackedAction,
                    MagneticAnalysisAction, ElectricAnalysisAction, SaveAction,
                    SaveMagneticAnalysisAction, ActionCount };

    // dialogs: file choices and boxes; work: runs the calculator and long saves. Both must
    // outlive the view.
    Form_TimeSeries(OperatorDialogs *dialogs, LongWork *work, QWidget *parent = nullptr);
    ~Form_TimeSeries() override;

    QString displayMode() const { return mode; }
    QAction *action(ActionId id) const { return actions.value(id); }
    QwtPlotGraph *channelPlot(int slot) const;
    QwtPlotGraph *coherencyPlot() const;
    QScrollBar *scrollBar() const;
    QList<int> shownSlots() const;
    // The samples in view in "timeseries" mode.
    qint64 windowStart() const { return first; }
    qint64 windowLength() const { return count; }
    const TimeSeriesRecording &recording() const { return shown; }
    const RecordingSpectra &spectra() const { return results; }
    // Shows count samples from first (clipped to the recording) in "timeseries" mode.
    void showWindow(qint64 first, qint64 count);

signals:
    void objectFoucsQwtPlotChanged();
    // What a command did, for the status bar.
    void statusMessage(const QString &text);
    // Where the pointer is over a plot: the time and the channel's samples under it (the lowest
    // and highest when a pixel column holds several); in the spectrum and analysis modes the
    // frequency of the drawn column nearest the pointer and the values the curves show there
    // (over the coherency plot, each coherency by name); empty when the pointer leaves.
    void cursorReadout(const QString &text);

public slots:
    void onTimeSeriesChanged(QList<QVector<double>> dataList, QString type);
    void onTimeSeriesPlots(QList<QString> strList);
    void onTimeSeriesParamChanged(QList<MTSampleData> SampleList, ReCalculateParam calcParam);
    void onOneChannelTimeSeriesParamChaged(QList<OneMTSample> samples, ReCalculateParam calcParam);
    void on_horizontalScrollBar_valueChanged(int value);
    void threadFinished();

    void ontimeSeriesActionTriggled();
    void onspectrumActionTriggled();
    void oncalibrateSpectrumTriggled();
    void onstackedSpectrum();
    void onAnasysHSpectrumTriggled();
    void onAnasysESpectrumTriggled();
    void onSaveActionTriggled();
    void onSaveHAnasysHCrossPowerTriggled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createActions();
    void connectPlots();
    void resetCalculator();
    void forgetSpectra();
    void setSpectrumActionsEnabled(bool enabled);
    void scheduleCalculation();
    void startPendingCalculation();
    void runCalculation();
    void collectSpectra();

    void showMode(const QString &newMode);
    void redraw();
    void drawTimeSeries();
    void drawSpectra();
    void drawTable(const NumberTable &table, const QStringList &coherencyColumns);
    void updatePager();
    void followZoom(QwtPlotGraph *source);
    QList<int> spectrumSlots() const;
    const SpectrumEnvelope &envelopeOf(int slot) const;
    QString unitOf(int slot) const;
    int slotOfCanvas(const QObject *canvas) const;
    QString cursorText(int slot, const QPoint &pos) const;
    QString timeCursorText(int slot, const QPoint &pos) const;
    QString frequencyCursorText(int slot, const QPoint &pos) const;

    QString askExportFile();
    NumberTableFile::Outcome saveTimeWindow(const QString &path);
    NumberTable shownTable() const;
    void exportTable(const NumberTable &table);
    void report(NumberTableFile::Outcome outcome);

    OperatorDialogs *dialogs;
    LongWork *work;
    std::unique_ptr<TimeSeriesPlots> plots;
    Data_RhoworksCalc *calculator = nullptr;
    QList<QAction *> actions;
    TimeSeriesRecording shown;
    RecordingSpectra results;
    NumberTable pairCoherency;          // Ex-Hy and Ey-Hx coherencies beside the spectra
    NumberTable analysis;               // the analysis shown in an analysis mode
    QStringList analysisCoherencies;    // its coherency columns
    QString mode;
    qint64 first = 0;
    qint64 count = 0;
    double freqLow = 0.0;
    double freqHigh = 0.0;
    int drawnColumns = 0;
    bool calculationPending = false;
    bool followingZoom = false;
};
