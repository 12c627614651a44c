#include "RecordingProcessing.h"

#include <QFileInfo>
#include <algorithm>
#include <iterator>

#include "Channels.h"
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
    return name.isEmpty() ? QStringLiteral("channel %1").arg(code) : name;
}

QString missingData(const QString &dataFile, const QString &channel)
{
    if (dataFile.isEmpty())
        return QStringLiteral("the recording table lists no time-series file for %1").arg(channel);
    if (!QFileInfo::exists(dataFile))
        return QStringLiteral("the time-series file %1 (%2) is missing").arg(dataFile, channel);
    return {};
}

// Missing, or refused by the calibration reader (the reason named).
QString unusableTable(const QString &table)
{
    Trimora reader;
    if (reader.getSensorDataList(table))
        return {};
    return QStringLiteral("the calibration table %1 cannot be used: %2")
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
    return QStringLiteral("a segment of %1 samples (FFT length %2 at %3 Hz) is not from %4 to %5")
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
    failure = QStringLiteral("tensor processing needs Ex, Ey, Hx and Hy; the recording lacks %1")
                  .arg(missing.join(QStringLiteral(", ")));
    return false;
}

} // namespace

bool computeRegressionPairs(const QList<OneMTSample> &pairs, ReCalculateParam &settings,
                            QList<PairCurve> &curves, QString &failure,
                            const QList<RegressionChannel> &remote)
{
    if (pairs.isEmpty()) {
        failure = QStringLiteral("the recording has no electric and magnetic channel to pair");
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
    const QString e = QStringLiteral("the electric channel of %1").arg(pair.pairName);
    const QString h = QStringLiteral("the magnetic channel of %1").arg(pair.pairName);
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
        failure = QStringLiteral("estimator code %1 is not one of 1, 2, 3 and 6").arg(estimator);
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
        failure = QStringLiteral("the estimator gave no curve (the files may be shorter than one "
                                 "segment of %1 samples, unreadable or clipped)").arg(n);
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
        failure = QStringLiteral("tensor processing solved no frequency (the files may be "
                                 "shorter than one segment of %1 samples or unreadable)").arg(n);
        return false;
    }
    return true;
}

} // namespace RecordingProcessing
