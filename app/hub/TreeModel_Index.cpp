#include "TreeModel_Index.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMetaMethod>

#include "Channels.h"
#include "CurveBlob.h"
#include "Data_Line.h"
#include "Data_ProcessData.h"
#include "Data_Project.h"
#include "Data_SampleData.h"
#include "Data_Station.h"
#include "EDIDeviceIO.h"
#include "EH4Export.h"
#include "EdiImpedanceExport.h"
#include "EdiStationExport.h"
#include "LibDORE.h"
#include "LineSectionRun.h"
#include "LineSpectrumExport.h"
#include "MultiPolarityCurve.h"
#include "OperatorDialogs.h"
#include "OperatorMessages.h"
#include "ProjectSchema.h"
#include "RecordingDescriptors.h"
#include "RecordingTableReader.h"
#include "RegressionPairs.h"
#include "ResultTableExport.h"
#include "SectionPublisher.h"
#include "StationPaths.h"
#include "StationResults.h"
#include "TensorResultBand.h"
#include "TreeNode.h"
#include "Wavefile.h"


namespace {

// The title the progress of a recording's recomputation is shown under.
const QString kRecomputeTitle = QStringLiteral("重新计算");

// Sets the station's band flag for a tensor result of a recording sampled at rate (Hz); the
// result file's extension follows the same rule.
void setBandFlag(Data_Station &station, int rate)
{
    switch (SampleRateBands::tensorResultBand(rate)) {
    case TensorResultBand::High: station.setHMT(1); break;
    case TensorResultBand::Middle: station.setMMT(1); break;
    case TensorResultBand::Low: station.setLMT(1); break;
    }
}

} // namespace

TreeModel_Index::TreeModel_Index(OperatorDialogs *dialogs, QObject *parent)
    : TreeModel({QStringLiteral("工程索引")}, parent), dialogs(dialogs),
      resultFiles(new EDIDeviceIO(dialogs, this)), sections(new SectionPublisher(this))
{
    registerSpectralMetaTypes();
    registerProcessingMetaTypes();
    connect(sections, &SectionPublisher::signal2DISOGraphChanged, this,
            &TreeModel_Index::signal2DISOGraphChanged);
    connect(sections, &SectionPublisher::signal_StaticResistivity, this,
            &TreeModel_Index::signal_StaticResistivity);
    connect(sections, &SectionPublisher::signal_CentralWidgetChanged, this,
            &TreeModel_Index::signal_CentralWidgetChanged);
    connect(sections, &SectionPublisher::setExportData, this, &TreeModel_Index::setExportData);
}

void TreeModel_Index::setFeedback(WorkFeedback *given)
{
    feedback = given ? given : &ownFeedback;
}

void TreeModel_Index::setComputationRunner(ComputationRunner runner)
{
    computationRunner = std::move(runner);
}

bool TreeModel_Index::runComputation(const QString &title,
                                     const std::function<void(WorkFeedback &)> &work)
{
    return computationRunner ? computationRunner(title, work) : inlineWorkRunner(*feedback)(title, work);
}

WorkRunner TreeModel_Index::workRunner()
{
    return [this](const QString &title, const std::function<void(WorkFeedback &)> &work) {
        return runComputation(title, work);
    };
}

TreeModel_Index::~TreeModel_Index()
{
    delete lineCollection;
    delete projectCollection;
}

Data_Line *TreeModel_Index::lineAt(int linePosition) const
{
    return lineCollection ? lineCollection->at(linePosition).object : nullptr;
}

Data_Station *TreeModel_Index::stationAt(int linePosition, int stationPosition) const
{
    Data_Line *line = lineAt(linePosition);
    return line ? line->REF_Data_Station()->at(stationPosition).object : nullptr;
}

Data_SampleData *TreeModel_Index::recordingAt(int linePosition, int stationPosition,
                                              int recordingPosition) const
{
    Data_Station *station = stationAt(linePosition, stationPosition);
    return station ? station->REF_Data_SampleData()->at(recordingPosition).object : nullptr;
}

void TreeModel_Index::onRecalculateChanged(ReCalculateParam settings)
{
    processingSettings = settings;
}

void TreeModel_Index::on_slot_StackMethodChanged(int estimator)
{
    estimatorCode = estimator;
}

void TreeModel_Index::setRemoteReference(int linePosition, int stationPosition)
{
    remoteLinePosition = linePosition;
    remoteStationPosition = stationPosition;
}

// ---- project and tree ----

bool TreeModel_Index::openProject(const QString &folderPath, LibDORE *db)
{
    dropProject();
    const QStringList incomplete = incompleteProjectTables(*db);
    if (!incomplete.isEmpty()) {
        showCritical(*dialogs, OperatorMessages::notProjectFile(db->connectionName(), incomplete));
        return false;
    }
    folder = folderPath;
    database = db;
    registerProjectSchema(*database);
    projectCollection = new DORE_Collection<Data_Project>(database);
    lineCollection = new DORE_Collection<Data_Line>(database);
    buildTree();
    emit modelChange();
    return true;
}

void TreeModel_Index::buildTree()
{
    beginResetModel();
    rootNode()->removeChildren(0, rootNode()->childCount());
    for (int l = 0; l < lineCollection->count(); ++l) {
        Data_Line *line = lineCollection->at(l).object;
        if (!line)
            continue;
        TreeNode *lineItem = appendItem(nullptr, line->LineName(), line->Use() != 0);
        addStationItems(lineItem, *line);
    }
    endResetModel();
}

void TreeModel_Index::addStationItems(TreeNode *lineItem, Data_Line &line)
{
    DORE_Collection<Data_Station> *stations = line.REF_Data_Station();
    stations->setOrder(QStringLiteral("StationNum"));
    stations->reload();
    for (int s = 0; s < stations->count(); ++s) {
        Data_Station *station = stations->at(s).object;
        if (!station)
            continue;
        TreeNode *stationItem = appendItem(lineItem, station->StationNum(), station->Use() != 0);
        DORE_Collection<Data_SampleData> *samples = station->REF_Data_SampleData();
        for (int r = 0; r < samples->count(); ++r) {
            Data_SampleData *sample = samples->at(r).object;
            if (sample)
                appendItem(stationItem, sample->SampleRate(), sample->Use() != 0);
        }
    }
}

void TreeModel_Index::clearModel()
{
    dropProject();
    emit modelChange();
}

void TreeModel_Index::dropProject()
{
    clearTree();
    delete lineCollection;
    delete projectCollection;
    lineCollection = nullptr;
    projectCollection = nullptr;
    database = nullptr;
    folder.clear();
    currentLinePosition = -1;
    currentStationPosition = -1;
}

void TreeModel_Index::itemCheckChanged(const QModelIndex &index)
{
    const ItemRows rows = rowsOf(index);
    Data_Line *line = lineAt(rows.line);
    if (!line)
        return;
    line->initReferences();
    const int use = index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? 1 : 0;
    if (rows.station < 0) {
        line->setUse(use);
        line->commit();
        return;
    }
    Data_Station *station = line->REF_Data_Station()->at(rows.station).object;
    if (!station)
        return;
    if (rows.recording < 0) {
        station->setUse(use);
        station->commit();
        return;
    }
    Data_SampleData *sample = station->REF_Data_SampleData()->at(rows.recording).object;
    if (sample) {
        sample->setUse(use);
        sample->commit();
    }
}

// ---- station curves ----

void TreeModel_Index::showStation(int linePosition, int stationPosition, int)
{
    Data_Line *line = lineAt(linePosition);
    if (stationPosition < 0) {
        if (line && line->REF_Data_Station()->count() >= 2)
            runLineSection(linePosition);
        return;
    }
    Data_Station *station = stationAt(linePosition, stationPosition);
    if (!station)
        return;
    currentLinePosition = linePosition;
    currentStationPosition = stationPosition;
    emit signal_CentralWidgetChanged(0);
    if (station->Use() == 0)
        return;
    const bool multiPolarity = isMultiPolarityStation(*line, *station);
    showCurves(*station, multiPolarity);
}

bool TreeModel_Index::isMultiPolarityStation(Data_Line &line, Data_Station &station)
{
    Data_SampleData *first = station.REF_Data_SampleData()->at(0).object;
    if (!first)
        return false;
    first->setFolder(StationPaths::stationFolder(folder, line.LineName(), station.StationNum()));
    return first->readTable()
           && first->header().measureMode == RecordingTableReader::ModeCommonPointMulti;
}

void TreeModel_Index::showCurves(Data_Station &station, bool multiPolarity)
{
    const bool assembled = station.HasResult() < 1;
    StationCurves curves = station.currentCurves();
    if (!readyToShow(station, curves))
        return;
    if (assembled) {
        StationResults::setScalarCurves(station, curves.exHy, curves.eyHx, curves.ex2Hy);
        station.setErrorBars(curves.exHyBars, curves.eyHxBars, curves.ex2HyBars);
        station.setHasResult(1);
    }
    emitStationCurves(station, curves);
    if (multiPolarity) {
        if (assembled || curves.multiPolarity.isEmpty()) {
            curves.multiPolarity = MultiPolarityCurve::combine(curves.exHy, curves.eyHx, curves.ex2Hy);
            station.setData_ImpedanceMP(CurveBlob::encode(curves.multiPolarity));
        }
        emit MPMTImpedanceChanged(curves.multiPolarity);
    }
    station.commit();
}

void TreeModel_Index::emitStationCurves(const Data_Station &station, const StationCurves &curves)
{
    emit signal_SelectPointTitle(StationPaths::stationLabel(station.StationNum()));
    emit ExHyImpedanceChanged(curves.exHy);
    emit Ex2HyImpedanceChanged(curves.ex2Hy);
    emit EyHxImpedanceChanged(curves.eyHx);
    emit ExHyErrorBarsChanged(curves.exHyBars);
    emit Ex2HyErrorBarsChanged(curves.ex2HyBars);
    emit EyHxErrorBarsChanged(curves.eyHxBars);
}

bool TreeModel_Index::readyToShow(const Data_Station &station, StationCurves &curves)
{
    if (curves.scalarEmpty()) {
        showCritical(*dialogs, OperatorMessages::nothingToShow(StationPaths::stationLabel(station.StationNum())));
        return false;
    }
    for (QVector<OneFreqImpedance> *curve : {&curves.exHy, &curves.eyHx, &curves.ex2Hy})
        StationResults::sortByFrequency(*curve);
    return true;
}

void TreeModel_Index::saveCurves(const QVector<OneFreqImpedance> &exHy,
                                 const QVector<OneFreqImpedance> &eyHx,
                                 const QVector<OneFreqImpedance> &ex2Hy,
                                 const QVector<OneFreqImpedance> &multiPolarity)
{
    Data_Station *station = stationAt(currentLinePosition, currentStationPosition);
    if (!station)
        return;
    StationResults::setScalarCurves(*station, exHy, eyHx, ex2Hy);
    station->setData_ImpedanceMP(CurveBlob::encode(multiPolarity));
    station->commit();
}

void TreeModel_Index::clearStation(int linePosition, int stationPosition)
{
    Data_Station *station = stationAt(linePosition, stationPosition);
    if (!station)
        return;
    StationResults::setCleared(*station);
    station->commit();
    showInformation(*dialogs, OperatorMessages::stationCleared(StationPaths::stationLabel(station->StationNum())));
}

void TreeModel_Index::swapCurves()
{
    Data_Station *station = stationAt(currentLinePosition, currentStationPosition);
    if (!station || station->Use() == 0 || station->HasResult() < 1)
        return;
    StationCurves curves = station->storedCurves();
    StationResults::sortByFrequency(curves.exHy);
    StationResults::sortByFrequency(curves.eyHx);
    StationResults::setScalarCurves(*station, curves.eyHx, curves.exHy, curves.ex2Hy);
    station->setErrorBars(curves.eyHxBars, curves.exHyBars, curves.ex2HyBars);
    station->commit();
}

// ---- opening a recording ----

bool TreeModel_Index::openRecording(int linePosition, int stationPosition, int recordingPosition)
{
    RecordingProcessing::Work work;
    if (!prepareRecording(linePosition, stationPosition, recordingPosition, work))
        return false;
    emit TimeSeriesParam(work.recording.channels, processingSettings);
    sendTimeSeries(work.recording.channels, work.recording.pairs);
    if (!processingSettings.recomputeImpedance)
        return true;
    RecordingProcessing::Outcome outcome;
    const bool ended = !work.refusal.isEmpty()
        || runComputation(kRecomputeTitle, [&](WorkFeedback &progress) {
               outcome = RecordingProcessing::compute(work, progress);
           });
    if (ended)
        return storeRecording(work, outcome);
    Data_SampleData *sample = recordingAt(linePosition, stationPosition, recordingPosition);
    reportCancelled(*lineAt(linePosition), *stationAt(linePosition, stationPosition), *sample);
    sample->commit();
    return false;
}

bool TreeModel_Index::prepareRecording(int linePosition, int stationPosition,
                                       int recordingPosition, RecordingProcessing::Work &work)
{
    Data_Line *line = lineAt(linePosition);
    Data_Station *station = stationAt(linePosition, stationPosition);
    Data_SampleData *sample = recordingAt(linePosition, stationPosition, recordingPosition);
    if (!sample)
        return false;
    sample->setFolder(StationPaths::stationFolder(folder, line->LineName(), station->StationNum()));
    const bool described = sample->readTable();
    work = RecordingProcessing::Work();
    work.linePosition = linePosition;
    work.stationPosition = stationPosition;
    work.recordingPosition = recordingPosition;
    work.recording = RecordingProcessing::describe(sample->header());
    work.settings = processingSettings;
    work.estimator = estimatorCode;
    work.tensor = RecordingProcessing::isTensorRecording(work.recording.header, work.settings);
    if (!described) {
        const QString table = sample->folder() + QStringLiteral("/config.ini");
        work.refusal = QFileInfo::exists(table) ? OperatorMessages::recordingTableUnreadable(table)
                                                : OperatorMessages::recordingTableMissing(table);
    } else if (!work.tensor && work.estimator == RecordingProcessing::EstimatorRegression) {
        gatherRegression(work);
    }
    return true;
}

void TreeModel_Index::gatherRegression(RecordingProcessing::Work &work)
{
    work.regressionPairs = RecordingProcessing::usablePairs(work.recording.pairs, work.failed);
    QString cause;
    if (!work.regressionPairs.isEmpty()
        && !remoteChannels(work.regressionPairs, work.recording, work.settings, work.remote, cause)) {
        work.failed << cause;
        work.regressionPairs.clear();
    }
}

bool TreeModel_Index::storeRecording(const RecordingProcessing::Work &work,
                                     const RecordingProcessing::Outcome &outcome)
{
    Data_Line *line = lineAt(work.linePosition);
    Data_Station *station = stationAt(work.linePosition, work.stationPosition);
    Data_SampleData *sample = recordingAt(work.linePosition, work.stationPosition, work.recordingPosition);
    if (!sample)
        return false;
    if (!work.refusal.isEmpty()) {
        reportFailure(*line, *station, *sample, work.refusal);
        return false;
    }
    QString failure;
    QStringList stored;
    const bool done = work.tensor ? storeTensor(*station, *sample, work, outcome, failure)
                                  : storePairs(*station, *sample, outcome.pairs, failure, stored);
    if (!done)
        reportFailure(*line, *station, *sample, failure, stored);
    sample->commit();
    return done;
}

void TreeModel_Index::sendTimeSeries(const QList<MTSampleData> &channels,
                                     const QList<OneMTSample> &pairs)
{
    // Reading the series only serves a view; without one listening, the files are not read.
    const bool viewListens = isSignalConnected(QMetaMethod::fromSignal(&TreeModel_Index::TimeSeriesChanged))
                             || isSignalConnected(QMetaMethod::fromSignal(&TreeModel_Index::TimeSeriesPlots));
    emit TimeSeriesPlots(viewListens ? emitChannelSeries(channels) : QList<QString>());
    emit OneMTSamplesChanged(pairs, processingSettings);
    emit signal_CentralWidgetChanged(1);
}

QList<QString> TreeModel_Index::emitChannelSeries(const QList<MTSampleData> &channels)
{
    QList<QString> shown;
    for (const MTSampleData &d : channels) {
        const int n = segmentLengthFor(processingSettings, d.sampleFrequency);
        int count = processingSettings.fftCount;
        if (count != -1 && n > 0)
            count = qMin(count, d.sampleCount / n);
        Wavefile reader;
        if (n <= 0 || !reader.getTimeSeries(d.dataFile, d.countScale, d.sampleCount, n, count))
            continue;
        emit TimeSeriesChanged(reader.getTsData(), Channels::name(d.channel));
        shown.append(Channels::name(d.channel));
    }
    return shown;
}

// Each pair that gave a curve is stored in its own transaction, and the pairs that failed are
// named with their causes.
bool TreeModel_Index::storePairs(Data_Station &station, Data_SampleData &sample,
                                 const RecordingProcessing::PairResults &results, QString &failure,
                                 QStringList &stored)
{
    QStringList failed = results.failed;
    for (const PairCurve &curve : results.curves)
        keepPairCurve(station, sample, curve, failed, stored);
    return pairsDone(failed, stored, failure);
}

void TreeModel_Index::keepPairCurve(Data_Station &station, Data_SampleData &sample,
                                    const PairCurve &curve, QStringList &failed,
                                    QStringList &stored)
{
    if (!StationResults::storePairCurve(*database, sample, curve)) {
        failed << OperatorMessages::pairCurveNotWritten(curve.pairName);
        return;
    }
    stored << curve.pairName;
    emitPairCurve(station, curve);
}

bool TreeModel_Index::pairsDone(QStringList failed, const QStringList &stored, QString &failure)
{
    if (!stored.isEmpty())
        emit setSaveData(true);
    if (failed.isEmpty() && stored.isEmpty())
        failed << OperatorMessages::noPairableChannels();
    failure = failed.join(QStringLiteral("; "));
    return failed.isEmpty();
}

void TreeModel_Index::emitPairCurve(const Data_Station &station, const PairCurve &curve)
{
    emit signal_SelectPointTitle(StationPaths::stationLabel(station.StationNum())
                                 + QStringLiteral("Frequency %1").arg(curve.sampleFrequency));
    switch (curve.channel) {
    case Data_ProcessData::ChannelExHy:
        emit ExHyImpedanceChanged(curve.curve);
        emit ExHyErrorBarsChanged(curve.errorBars);
        break;
    case Data_ProcessData::ChannelEyHx:
        emit EyHxImpedanceChanged(curve.curve);
        emit EyHxErrorBarsChanged(curve.errorBars);
        break;
    case Data_ProcessData::ChannelEx2Hy:
        emit Ex2HyImpedanceChanged(curve.curve);
        emit Ex2HyErrorBarsChanged(curve.errorBars);
        break;
    }
}

namespace {

// The magnetic descriptor of code (Channel_Hx or Channel_Hy) as a regression channel.
bool magneticChannel(const QList<MTSampleData> &channels, int code, RegressionChannel &out)
{
    for (const MTSampleData &d : channels) {
        if (d.channel != code)
            continue;
        out.dataFile = d.dataFile;
        out.sensorFile = d.sensorFile;
        out.gainFile = d.gainFile;
        out.countScale = d.countScale;
        return true;
    }
    return false;
}

// The channel code of a magnetic file among a recording's descriptors, 0 when not found.
int codeOfFile(const QList<MTSampleData> &channels, const QString &file)
{
    for (const MTSampleData &d : channels)
        if (d.dataFile == file)
            return d.channel;
    return 0;
}

} // namespace

bool TreeModel_Index::remoteChannels(const QList<OneMTSample> &pairs,
                                     const RecordingProcessing::Recording &recording,
                                     const ReCalculateParam &settings,
                                     QList<RegressionChannel> &channels, QString &failure)
{
    if (remoteLinePosition < 0)
        return true;
    Data_Line *line = lineAt(remoteLinePosition);
    Data_Station *station = stationAt(remoteLinePosition, remoteStationPosition);
    if (!station) {
        failure = OperatorMessages::remoteStationMissing();
        return false;
    }
    DORE_Collection<Data_SampleData> *recordings = station->REF_Data_SampleData();
    Data_SampleData *remote = nullptr;
    for (int r = 0; r < recordings->count() && !remote; ++r) {
        Data_SampleData *candidate = recordings->at(r).object;
        if (candidate && candidate->SampleRate() == recording.header.sampleRate)
            remote = candidate;
    }
    failure = OperatorMessages::remoteRecordingMissing(StationPaths::stationLabel(station->StationNum()),
                                                       recording.header.sampleRate);
    if (!remote)
        return false;
    remote->setFolder(StationPaths::stationFolder(folder, line->LineName(), station->StationNum()));
    if (!remote->readTable())
        return false;
    const QList<MTSampleData> remoteDescriptors =
        RecordingDescriptors::buildChannelSamples(remote->header());
    for (const RegressionChannel &input : RegressionPairs::requestFor(pairs, settings).inputs) {
        RegressionChannel channel;
        if (!magneticChannel(remoteDescriptors, codeOfFile(recording.channels, input.dataFile), channel))
            return false;
        channels.append(channel);
    }
    failure.clear();
    return true;
}

bool TreeModel_Index::storeTensor(Data_Station &station, Data_SampleData &sample,
                                  const RecordingProcessing::Work &work,
                                  const RecordingProcessing::Outcome &outcome, QString &failure)
{
    if (!outcome.tensorSolved) {
        failure = outcome.tensorFailure;
        return false;
    }
    const Data_Calc_Tensor::BandResults &results = outcome.tensorResults;
    const QString basePath = StationPaths::tensorBasePath(station.StationNum());
    if (!resultFiles->writeTensorFile(results.records, results.impedances, basePath,
                                      sample.SampleRate())) {
        failure = OperatorMessages::tensorFileNotWritten(EDIDeviceIO::tensorFilePath(basePath, sample.SampleRate()));
        return false;
    }
    station.setHasTensor(1);
    station.setXPoleDistance(work.recording.header.exDipole);
    station.setYPoleDistance(work.recording.header.eyDipole);
    setBandFlag(station, sample.SampleRate());
    if (!station.commit()) {
        failure = OperatorMessages::tensorFlagsNotWritten();
        return false;
    }
    return true;
}

void TreeModel_Index::reportFailure(const Data_Line &line, const Data_Station &station,
                                    const Data_SampleData &sample, const QString &failure,
                                    const QStringList &stored)
{
    showWarning(*dialogs, OperatorMessages::recomputationFailed(
                              StationPaths::lineLabel(line.LineName()),
                              StationPaths::stationLabel(station.StationNum()), sample.SampleDataNum(),
                              sample.SampleRate(), failure, stored));
}

void TreeModel_Index::reportCancelled(const Data_Line &line, const Data_Station &station,
                                      const Data_SampleData &sample)
{
    showInformation(*dialogs, OperatorMessages::recomputationCancelled(
                                  StationPaths::lineLabel(line.LineName()),
                                  StationPaths::stationLabel(station.StationNum()),
                                  sample.SampleDataNum(), sample.SampleRate()));
}

// ---- exports and section runs ----

bool TreeModel_Index::exportRawData(int linePosition)
{
    Data_Line *line = lineAt(linePosition);
    return line && ResultTableExport(dialogs).exportRaw(*line);
}

bool TreeModel_Index::exportLineSpectrum(int linePosition)
{
    Data_Line *line = lineAt(linePosition);
    return line && LineSpectrumExport(dialogs, workRunner()).run(*line, folder, processingSettings);
}

bool TreeModel_Index::exportEH4(int linePosition)
{
    Data_Line *line = lineAt(linePosition);
    return line && EH4Export(dialogs).run(*line);
}

bool TreeModel_Index::exportEDI(int linePosition, int stationPosition)
{
    return EdiStationExport(dialogs, resultFiles).run(lineAt(linePosition), stationPosition);
}

bool TreeModel_Index::exportImpedanceEDI(int linePosition, int stationPosition)
{
    return EdiImpedanceExport(dialogs).run(lineAt(linePosition), stationPosition);
}

bool TreeModel_Index::exportSection(const QString &path)
{
    return ResultTableExport(dialogs).exportSection(path, sections->latestSection());
}

bool TreeModel_Index::runNLCG(int linePosition, int timeoutMs)
{
    return runInversion(linePosition, timeoutMs, &InversionRun::runNLCG);
}

bool TreeModel_Index::runNLLS(int linePosition, int timeoutMs)
{
    return runInversion(linePosition, timeoutMs, &InversionRun::runNLLS);
}

bool TreeModel_Index::runInversion(int linePosition, int timeoutMs, InversionMethod method)
{
    Data_Line *line = lineAt(linePosition);
    InversionRun run(dialogs, workRunner());
    run.setTimeout(timeoutMs);
    QList<DataType_ResultData> section;
    if (!line || !(run.*method)(*line, section))
        return false;
    sections->publish(section);
    return true;
}

bool TreeModel_Index::runLineSection(int linePosition)
{
    if (!lineAt(linePosition))
        return false;
    InversionParam param;
    dialogs->inversionParameters(param);
    return runLineSection(linePosition, param);
}

bool TreeModel_Index::runLineSection(int linePosition, const InversionParam &param)
{
    Data_Line *line = lineAt(linePosition);
    QList<DataType_ResultData> section;
    QVector<TopoData> surface;
    if (!line || !LineSectionRun(dialogs).run(*line, param, section, surface))
        return false;
    sections->publish(section, surface);
    return true;
}

QList<DataType_ResultData> TreeModel_Index::latestSection() const
{
    return sections->latestSection();
}
