#include "RecordingProcessing.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <iterator>

#include "Channels.h"
#include "OperatorMessages.h"
#include "RecordingDescriptors.h"
#include "RecordingTableReader.h"
#include "RegressionPairs.h"
#include "Rhoworks.h"
#include "SampleRateBands.h"
#include "Trimora.h"

namespace RecordingProcessing {

namespace {

// The request of one pair with the settled segment length n and the settings' count, trend and
// frequency table.
PairRequest requestOf(const OneMTSample &pair, int n, const ReCalculateParam &settings)
{
    PairRequest request;
    request.eFile = pair.eDataFile;
    request.hFile = pair.hDataFile;
    request.fs = pair.sampleFrequency;
    request.readerValue = pair.sampleCount;
    request.dipoleLength = float(pair.dipoleLength);
    request.eSensorFile = pair.eSensorFile;
    request.hSensorFile = pair.hSensorFile;
    request.eGainFile = pair.eGainFile;
    request.hGainFile = pair.hGainFile;
    request.useESensor = pair.lowBand == 0;
    request.n = n;
    request.segmentCount = settings.fftCount;
    request.removeTrend = settings.trendCorrection;
    request.freqMode = settings.frequencyDensity;
    return request;
}

QString channelName(int code)
{
    const QString name = Channels::name(code);
    return name.isEmpty() ? QStringLiteral("通道 %1").arg(code) : name;
}

QString missingData(const QString &dataFile, const QString &channel)
{
    if (dataFile.isEmpty())
        return QStringLiteral("记录表中没有%1的时间序列文件").arg(channel);
    if (!QFileInfo::exists(dataFile))
        return QStringLiteral("时间序列文件 %1（%2）不存在").arg(dataFile, channel);
    return {};
}

// Missing, or refused by the calibration reader (the reason named).
QString unusableTable(const QString &table)
{
    Trimora reader;
    if (reader.getSensorDataList(table))
        return {};
    return QStringLiteral("标定表 %1 无法使用：%2")
        .arg(QFileInfo(table).absoluteFilePath(), reader.lastError());
}

QString firstOf(const QStringList &problems)
{
    for (const QString &problem : problems)
        if (!problem.isEmpty())
            return problem;
    return {};
}

bool isTensorChannel(const MTSampleData &d)
{
    return d.channel == Channel_Ex || d.channel == Channel_Ey || d.channel == Channel_Hx
           || d.channel == Channel_Hy;
}

QString refusedLength(const ReCalculateParam &settings, int sampleRate)
{
    return QStringLiteral("分段长度 %1 个采样点（FFT长度 %2，采样率 %3 Hz）不在 %4 到 %5 之间")
        .arg(settings.fftLength < 0 ? double(sampleRate) : double(settings.fftLength))
        .arg(double(settings.fftLength)).arg(sampleRate).arg(kShortestSegment).arg(kLongestSegment);
}

bool hasImpedanceChannels(const QList<MTSampleData> &channels, QString &failure)
{
    QStringList missing;
    for (int code : {Channel_Ex, Channel_Ey, Channel_Hx, Channel_Hy}) {
        const bool present = std::any_of(channels.begin(), channels.end(),
                                         [code](const MTSampleData &d) { return d.channel == code; });
        if (!present)
            missing << channelName(code);
    }
    if (missing.isEmpty())
        return true;
    failure = QStringLiteral("张量计算需要 Ex、Ey、Hx 和 Hy，该记录缺少 %1")
                  .arg(missing.join(QStringLiteral(", ")));
    return false;
}

// The tensor work: the files of Ex, Ey, Hx and Hy and the "tensors" folder the result goes to
// checked first.
bool tensorOutcome(const Work &work, ReCalculateParam &settings, WorkFeedback &feedback,
                   Outcome &outcome)
{
    QString &failure = outcome.tensorFailure;
    failure = tensorFileProblem(work.recording.channels);
    if (failure.isEmpty() && !QDir(QStringLiteral("tensors")).exists())
        failure = OperatorMessages::tensorFolderMissing(
            QDir::current().absoluteFilePath(QStringLiteral("tensors")));
    return failure.isEmpty()
           && computeTensor(work.recording.channels, settings, feedback, outcome.tensorResults, failure);
}

PairResults regressionOutcome(const Work &work, ReCalculateParam &settings)
{
    PairResults results;
    results.failed = work.failed;
    QString cause;
    if (!work.regressionPairs.isEmpty()
        && !computeRegressionPairs(work.regressionPairs, settings, results.curves, cause, work.remote))
        results.failed << cause;
    return results;
}

} // namespace

Outcome compute(const Work &work, WorkFeedback &feedback)
{
    Outcome outcome;
    if (!work.refusal.isEmpty() || feedback.isCancelled())
        return outcome;
    ReCalculateParam settings = work.settings;
    if (work.tensor) {
        outcome.tensorSolved = tensorOutcome(work, settings, feedback, outcome);
    } else if (work.estimator == EstimatorRegression) {
        outcome.pairs = regressionOutcome(work, settings);
    } else {
        outcome.pairs = computePairs(work.recording.pairs, work.estimator, settings, feedback);
        outcome.pairs.failed = work.failed + outcome.pairs.failed;
    }
    return outcome;
}

bool computeRegressionPairs(const QList<OneMTSample> &pairs, ReCalculateParam &settings,
                            QList<PairCurve> &curves, QString &failure,
                            const QList<RegressionChannel> &remote)
{
    if (pairs.isEmpty()) {
        failure = QStringLiteral("该记录没有可配对的电场和磁场通道");
        return false;
    }
    // The regression's own segments are short; "all data" stays all of it (the count is not
    // settled), and the length only enters the band rule of fast recorders.
    if (settings.fftLength < 0)
        settings.fftLength = float(pairs.first().sampleFrequency);
    QList<RegressionPairs::PairResult> results;
    if (!RegressionPairs::compute(pairs, settings, results, failure, remote))
        return false;
    for (const RegressionPairs::PairResult &result : results)
        curves.append({pairChannel(result.pairName), result.pairName, pairs.first().sampleFrequency,
                       result.curve, result.errorBars});
    return true;
}

Recording describe(const RecordingHeader &header)
{
    const bool singleH = header.measureMode == RecordingTableReader::ModeCommonPointMulti
                         || header.measureMode == RecordingTableReader::ModeParallel;
    return {header, RecordingDescriptors::buildChannelSamples(header),
            singleH ? RecordingDescriptors::buildSingleHPairSamples(header)
                    : RecordingDescriptors::buildPairSamples(header)};
}

bool isTensorRecording(const RecordingHeader &header, const ReCalculateParam &settings)
{
    if (header.measureMode == RecordingTableReader::ModeVector)
        return true;
    return settings.tensorMode && header.hasEx && header.hasEy && header.hasHx && header.hasHy;
}

int pairChannel(const QString &pairName)
{
    const QStringList names{QStringLiteral("ExHy"), QStringLiteral("EyHx"), QStringLiteral("Ex2Hy")};
    return names.indexOf(pairName);
}

QString pairFileProblem(const OneMTSample &pair)
{
    const QString e = QStringLiteral("%1 的电场通道").arg(pair.pairName);
    const QString h = QStringLiteral("%1 的磁场通道").arg(pair.pairName);
    return firstOf({missingData(pair.eDataFile, e), missingData(pair.hDataFile, h),
                    unusableTable(pair.eSensorFile), unusableTable(pair.hSensorFile),
                    unusableTable(pair.eGainFile), unusableTable(pair.hGainFile)});
}

QString tensorFileProblem(const QList<MTSampleData> &channels)
{
    for (const MTSampleData &d : channels) {
        if (!isTensorChannel(d))
            continue;
        const QString problem = firstOf({missingData(d.dataFile, channelName(d.channel)),
                                         unusableTable(d.sensorFile), unusableTable(d.gainFile)});
        if (!problem.isEmpty())
            return problem;
    }
    return {};
}

bool computePair(const OneMTSample &pair, int estimator, ReCalculateParam &settings,
                 const WorkFeedback::Step &keepGoing, PairCurve &curve, QString &failure)
{
    if (!Rhoworks::isEstimator(estimator)) {
        failure = QStringLiteral("估计方法代码 %1 不是 1、2、3 或 6").arg(estimator);
        return false;
    }
    failure = pairFileProblem(pair);
    if (!failure.isEmpty())
        return false;
    const int n = segmentLengthFor(settings, pair.sampleFrequency);
    if (n == 0) {
        failure = refusedLength(settings, pair.sampleFrequency);
        return false;
    }
    // The "whole sampling rate" length and the "all data" count stay replaced for later pairs.
    settings.fftLength = float(n);
    if (settings.fftCount < 0)
        settings.fftCount = pair.sampleCount / n;
    PairRequest request = requestOf(pair, n, settings);
    request.keepGoing = keepGoing;
    Rhoworks rhoworks;
    if (!rhoworks.compute(estimator, request)) {
        failure = QStringLiteral("估计方法没有得到曲线（文件可能短于一个 %1 个采样点的分段、"
                                 "无法读取或已削波）").arg(n);
        return false;
    }
    curve = {pairChannel(pair.pairName), pair.pairName, pair.sampleFrequency,
             rhoworks.getCanigrdResistivity(), {}};
    return true;
}

PairResults computePairs(const QList<OneMTSample> &pairs, int estimator, ReCalculateParam &settings,
                         WorkFeedback &feedback)
{
    PairResults results;
    for (int p = 0; p < pairs.size() && !feedback.isCancelled(); ++p) {
        const OneMTSample &pair = pairs.at(p);
        if (pairChannel(pair.pairName) < 0)
            continue;
        const WorkFeedback::Step step =
            feedback.step(double(p) / pairs.size(), double(p + 1) / pairs.size(), pair.pairName);
        PairCurve curve;
        QString cause;
        if (computePair(pair, estimator, settings, step, curve, cause))
            results.curves << curve;
        else
            results.failed << pair.pairName + QStringLiteral(": ") + cause;
    }
    return results;
}

QList<OneMTSample> usablePairs(const QList<OneMTSample> &pairs, QStringList &failed)
{
    QList<OneMTSample> usable;
    for (const OneMTSample &pair : pairs) {
        if (pairChannel(pair.pairName) < 0)
            continue;
        const QString problem = pairFileProblem(pair);
        if (problem.isEmpty())
            usable << pair;
        else
            failed << pair.pairName + QStringLiteral(": ") + problem;
    }
    return usable;
}

bool computeTensor(const QList<MTSampleData> &channels, ReCalculateParam &settings,
                   WorkFeedback &feedback, Data_Calc_Tensor::BandResults &results,
                   QString &failure)
{
    if (!hasImpedanceChannels(channels, failure))
        return false;
    const int fs = channels.first().sampleFrequency;
    const int n = segmentLengthFor(settings, fs);
    if (n == 0) {
        failure = refusedLength(settings, fs);
        return false;
    }
    settings.fftLength = float(n);
    QList<MTSampleData> used;
    std::copy_if(channels.begin(), channels.end(), std::back_inserter(used), isTensorChannel);
    Data_Calc_Tensor tensor;
    tensor.setKeepGoing(feedback.step(0.0, 1.0, QStringLiteral("ExEyHxHy")));
    tensor.loadSpectra(used, n);
    if (feedback.isCancelled())
        return false;
    results = tensor.bandResults(SampleRateBands::tensorBand(fs, n), 0.3);
    if (results.impedances.isEmpty()) {
        failure = QStringLiteral("张量计算没有解出任何频点（文件可能短于一个 %1 个采样点的分段"
                                 "或无法读取）").arg(n);
        return false;
    }
    return true;
}

} // namespace RecordingProcessing
