#pragma once
// The project hub: holds the open project (database, folder, the collections of projects and
// lines) and shows it as the project tree (lines, their stations in increasing number, and each
// station's recordings, every item checkable). It carries the database side of the work: showing
// a station's curves (assembling them from its recordings' results when it has none stored),
// opening a recording (descriptors and time series to the views, recomputation by Rhoworks or the
// tensor processing, results stored), saving, clearing and swapping a station's curves. The
// exports and section runs of the project tree and the main window are reached through it too;
// it keeps the latest section (from an inversion run or a line's depth section) for the section
// export.
//
// A station's stored curves may hold the operator's edits: recomputing a recording only replaces
// that recording's result rows; the station is rebuilt from them only when it has no stored
// result (after clearing it). A recomputation that fails stores nothing for the recording and
// tells the operator which recording failed and why.
//
// Paths of the working folder ("tensors/", "SensorsFile/", "GainCalibration/") are relative to
// the current working directory. Everything runs synchronously on the caller's thread.

#include <QColor>
#include <QList>
#include <QMap>
#include <QVector>
#include <functional>

#include "DORE_Collection.h"
#include "InversionParam.h"
#include "InversionRun.h"
#include "WorkRunner.h"
#include "ProcessingRecords.h"
#include "ImpedanceErrorBar.h"
#include "RecordingProcessing.h"
#include "SpectralRecords.h"
#include "StationCurves.h"
#include "TreeModel.h"
#include "WorkFeedback.h"

class Data_Line;
class Data_Project;
class Data_SampleData;
class Data_Station;
class EDIDeviceIO;
class LibDORE;
class OperatorDialogs;
class SectionPublisher;

class TreeModel_Index : public TreeModel {
    Q_OBJECT
public:
    // dialogs must outlive the hub.
    explicit TreeModel_Index(OperatorDialogs *dialogs, QObject *parent = nullptr);
    ~TreeModel_Index() override;

    // The progress and cancellation of the hub's long work (recomputing a recording, the spectrum
    // export, the inversion runs), handed down to processing and exchange; null: the hub's own,
    // which nobody cancels. feedback must outlive its use.
    //
    // Recomputing a recording runs in three stages, so that the middle one can move to worker
    // threads while the database stays with the thread that opened it:
    //   1. prepareRecording (database thread): the recording's header and descriptors, a copy of
    //      the processing settings and estimator, and for the regression the usable pairs and the
    //      remote reference's channels, gathered into a RecordingProcessing::Work;
    //   2. RecordingProcessing::compute (any thread): a function of files and settings only,
    //      which reports to the feedback and stops when it is cancelled;
    //   3. storeRecording (database thread): unless cancelled, each pair's curve in its own
    //      transaction, or the tensor file and the station's flags.
    // openRecording runs the three in turn, the middle one through the computation runner; the
    // command line runs the middle one for several recordings at once. The spectrum export and
    // the inversion runs follow the same pattern: the stations' rows and curves are read and the
    // program's input files written first, the spectra computed or the program waited for in the
    // runner, the table written or the section read and the operator told after.
    void setFeedback(WorkFeedback *feedback);
    // Runs the middle stage of the long commands (the recomputation of a recording's pairs or
    // tensor, the spectrum export's reading, the wait for an inversion program); unset (the
    // default), it runs inline with the hub's feedback.
    using ComputationRunner = WorkRunner;
    void setComputationRunner(ComputationRunner runner);

    // Registers the five entity classes, loads projects and lines and builds the tree. The
    // database is borrowed and must stay open until clearModel. A database that is not a project
    // file is refused with a critical box and left untouched: false, no project open.
    bool openProject(const QString &folderPath, LibDORE *database);
    // Emits the station's curves (stored ones, or assembled from its recordings and stored).
    // A station position of -1 (a double click on the line) starts the line's depth section run
    // instead, when the line has at least two stations.
    void showStation(int linePosition, int stationPosition, int recordingPosition = -1);
    // Describes the recording, sends it to the views and, when the settings ask for it,
    // recomputes and stores its results. False when the positions name no recording or a
    // recomputation failed or was cancelled (the operator has been told; nothing was stored).
    bool openRecording(int linePosition, int stationPosition, int recordingPosition);
    // Stage 1 of a recomputation: reads the recording's table and gathers its work (with the
    // refusal set when the table is missing or unreadable). False when the positions name no
    // recording.
    bool prepareRecording(int linePosition, int stationPosition, int recordingPosition,
                          RecordingProcessing::Work &work);
    // Stage 3: stores what computing the work gave (each pair's curve in its own transaction, or
    // the tensor file and the station's flags) and tells the operator about every pair or
    // recording that failed. True when everything was stored. Not for cancelled work.
    bool storeRecording(const RecordingProcessing::Work &work,
                        const RecordingProcessing::Outcome &outcome);
    // Writes the four curves into the current station's result columns.
    void saveCurves(const QVector<OneFreqImpedance> &exHy, const QVector<OneFreqImpedance> &eyHx,
                    const QVector<OneFreqImpedance> &ex2Hy,
                    const QVector<OneFreqImpedance> &multiPolarity);
    // Empties the station's results (HasResult 0) and tells the operator.
    void clearStation(int linePosition, int stationPosition);
    // Exchanges the current station's ExHy and EyHx curves (and their error bars).
    void swapCurves();
    // Drops the tree and the collections; the database may then be closed.
    void clearModel();

    // Exports and section runs of a line (positions as in the tree), each through its exchange
    // class with the hub's operator; true when the export was written or a section published.
    // Raw result tables of the line's used stations, into a folder the operator chooses.
    bool exportRawData(int linePosition);
    // The line's magnetic spectra beside its Ex/Hy curves, read with the current settings.
    bool exportLineSpectrum(int linePosition);
    bool exportEH4(int linePosition);
    bool exportEDI(int linePosition, int stationPosition);
    // The station's curves with error bars as an impedance-form EDI file (EdiImpedanceExport).
    bool exportImpedanceEDI(int linePosition, int stationPosition);
    // The latest section as position,depth,value rows.
    bool exportSection(const QString &path);
    bool runNLCG(int linePosition, int timeoutMs = InversionRun::kDefaultTimeoutMs);
    bool runNLLS(int linePosition, int timeoutMs = InversionRun::kDefaultTimeoutMs);
    // The line's depth section with the parameters the operator gives, or with param as given.
    bool runLineSection(int linePosition);
    bool runLineSection(int linePosition, const InversionParam &param);
    QList<DataType_ResultData> latestSection() const;

    QString projectFolder() const { return folder; }
    DORE_Collection<Data_Line> *lines() const { return lineCollection; }
    DORE_Collection<Data_Project> *projects() const { return projectCollection; }
    Data_Line *lineAt(int linePosition) const;
    Data_Station *stationAt(int linePosition, int stationPosition) const;
    Data_SampleData *recordingAt(int linePosition, int stationPosition, int recordingPosition) const;
    ReCalculateParam settings() const { return processingSettings; }
    int estimator() const { return estimatorCode; }
    // The station whose recordings serve the regression estimator (code 7) as remote reference:
    // its recording of the same sampling rate gives the magnetic channels. -1, -1: none.
    void setRemoteReference(int linePosition, int stationPosition);
    int currentLine() const { return currentLinePosition; }
    int currentStation() const { return currentStationPosition; }

signals:
    void ExHyImpedanceChanged(QVector<OneFreqImpedance> curve);
    void EyHxImpedanceChanged(QVector<OneFreqImpedance> curve);
    void Ex2HyImpedanceChanged(QVector<OneFreqImpedance> curve);
    // The error bars of the curves just emitted, matched to their points by frequency; empty when
    // no error is known (stacking estimators, older projects). Emitted after each curve signal.
    void ExHyErrorBarsChanged(QVector<ImpedanceErrorBar> bars);
    void EyHxErrorBarsChanged(QVector<ImpedanceErrorBar> bars);
    void Ex2HyErrorBarsChanged(QVector<ImpedanceErrorBar> bars);
    void MPMTImpedanceChanged(QVector<OneFreqImpedance> curve);
    void signal_SelectPointTitle(QString title);
    void TimeSeriesChanged(QList<QVector<double>> segments, QString type);
    void TimeSeriesPlots(QList<QString> channels);
    void TimeSeriesParam(QList<MTSampleData> channels, ReCalculateParam settings);
    void OneMTSamplesChanged(QList<OneMTSample> pairs, ReCalculateParam settings);
    void signal2DISOGraphChanged(QList<DataType_ResultData> section, QVector<TopoData> topography,
                                 QMap<float, QColor> colours, bool inverted);
    void modelChange();
    void setSaveTips(bool enabled);
    void setSaveData(bool enabled);
    void setExportData(bool enabled);
    void signal_StaticResistivity(float minimum, float maximum);
    void signal_CentralWidgetChanged(int index);

public slots:
    void onRecalculateChanged(ReCalculateParam settings);
    void on_slot_StackMethodChanged(int estimator);

protected:
    void itemEdited(const QModelIndex &) override {}
    // Writes the item's check state into the Use column of its row.
    void itemCheckChanged(const QModelIndex &index) override;

private:
    void dropProject();
    void buildTree();
    void addStationItems(TreeNode *lineItem, Data_Line &line);
    bool isMultiPolarityStation(Data_Line &line, Data_Station &station);
    // Shows the station's current curves; assembled ones are stored with HasResult 1, and a
    // multi-polarity station gets its combined curve built when it has none.
    void showCurves(Data_Station &station, bool multiPolarity);
    // Emits the title, the three curves and their error bars.
    void emitStationCurves(const Data_Station &station, const StationCurves &curves);
    // The remote station's magnetic channels for the pairs of a recording, in the order the
    // regression takes its inputs (from the remote recording of the same sampling rate); empty
    // without a remote station. False, with failure set, when the remote station has no
    // recording of that rate with the same magnetic channels.
    bool remoteChannels(const QList<OneMTSample> &pairs,
                        const RecordingProcessing::Recording &recording,
                        const ReCalculateParam &settings, QList<RegressionChannel> &channels,
                        QString &failure);
    // Sorts the three curves by frequency; false, with the station reported as having nothing to
    // show, when all are empty.
    bool readyToShow(const Data_Station &station, StationCurves &curves);

    void sendTimeSeries(const QList<MTSampleData> &channels, const QList<OneMTSample> &pairs);
    // Reads every channel as the settings cut it and emits its segments; the channels shown.
    QList<QString> emitChannelSeries(const QList<MTSampleData> &channels);
    // The regression's usable pairs and remote reference channels, into work.
    void gatherRegression(RecordingProcessing::Work &work);
    // Stores each pair that gave a curve; false, with the failed pairs and their causes in
    // failure and the names of the stored pairs in stored, when any pair failed.
    bool storePairs(Data_Station &station, Data_SampleData &sample,
                    const RecordingProcessing::PairResults &results, QString &failure,
                    QStringList &stored);
    // Stores curve in its own transaction and shows it; a failed write is added to failed.
    void keepPairCurve(Data_Station &station, Data_SampleData &sample, const PairCurve &curve,
                       QStringList &failed, QStringList &stored);
    // Tells whether every pair was stored, with the failed pairs' causes joined into failure.
    bool pairsDone(QStringList failed, const QStringList &stored, QString &failure);
    // Writes the tensor result file and sets the station's tensor flags.
    bool storeTensor(Data_Station &station, Data_SampleData &sample,
                     const RecordingProcessing::Work &work,
                     const RecordingProcessing::Outcome &outcome, QString &failure);
    using InversionMethod = bool (InversionRun::*)(Data_Line &, QList<DataType_ResultData> &);
    // Runs method over the line and publishes its section.
    bool runInversion(int linePosition, int timeoutMs, InversionMethod method);
    void emitPairCurve(const Data_Station &station, const PairCurve &curve);
    // The warning box naming the recording, the failure and what was stored for it.
    void reportFailure(const Data_Line &line, const Data_Station &station,
                       const Data_SampleData &sample, const QString &failure,
                       const QStringList &stored = QStringList());
    void reportCancelled(const Data_Line &line, const Data_Station &station,
                         const Data_SampleData &sample);

    // Runs work through the runner (or inline); false when it did not end.
    bool runComputation(const QString &title, const std::function<void(WorkFeedback &)> &work);
    // runComputation as a runner, for the exports and runs of the exchange layer.
    WorkRunner workRunner();

    OperatorDialogs *dialogs;
    ComputationRunner computationRunner;
    WorkFeedback ownFeedback;
    WorkFeedback *feedback = &ownFeedback;
    EDIDeviceIO *resultFiles;
    SectionPublisher *sections;
    QString folder;
    LibDORE *database = nullptr;
    DORE_Collection<Data_Project> *projectCollection = nullptr;
    DORE_Collection<Data_Line> *lineCollection = nullptr;
    int currentLinePosition = -1;
    int currentStationPosition = -1;
    ReCalculateParam processingSettings;
    int estimatorCode = RecordingProcessing::EstimatorPlain;
    int remoteLinePosition = -1;
    int remoteStationPosition = -1;
};
