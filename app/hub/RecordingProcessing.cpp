#include "RecordingProcessing.h"

#include <QFileInfo>
#include <algorithm>

#include "Channels.h"
#include "RecordingDescriptors.h"
#include "RecordingTableReader.h"
#include "RegressionPairs.h"
#include "Rhoworks.h"
#include "SampleRateBands.h"

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

QString missingTable(const QString &table)
{
    if (QFileInfo::exists(table))
        return {};
    return QStringLiteral("the calibration table %1 is missing")
        .arg(QFileInfo(table).absoluteFilePath());
}

QString firstOf(const QStringList &problems)
{
    for (const QString &problem : problems)
        if (!problem.isEmpty())
            return problem;
    return {};
}

// Replaces the "whole sampling rate" length and the "all data" count by their values for pair.
void settlePairSettings(const OneMTSample &pair, ReCalculateParam &settings)
{
    if (settings.fftLength < 0)
        settings.fftLength = float(pair.sampleFrequency);
    if (settings.fftCount < 0)
        settings.fftCount = pair.sampleCount / int(settings.fftLength);
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

} // namespace

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

QString missingFile(const QList<OneMTSample> &pairs)
{
    if (pairs.isEmpty())
        return QStringLiteral("the recording has no electric and magnetic channel to pair");
    for (const OneMTSample &pair : pairs) {
        const QString e = QStringLiteral("the electric channel of %1").arg(pair.pairName);
        const QString h = QStringLiteral("the magnetic channel of %1").arg(pair.pairName);
        const QString problem = firstOf({missingData(pair.eDataFile, e), missingData(pair.hDataFile, h),
                                         missingTable(pair.eSensorFile), missingTable(pair.hSensorFile),
                                         missingTable(pair.eGainFile), missingTable(pair.hGainFile)});
        if (!problem.isEmpty())
            return problem;
    }
    return {};
}

QString missingFile(const QList<MTSampleData> &channels)
{
    for (const MTSampleData &d : channels) {
        const QString problem = firstOf({missingData(d.dataFile, channelName(d.channel)),
                                         missingTable(d.sensorFile), missingTable(d.gainFile)});
        if (!problem.isEmpty())
            return problem;
    }
    return {};
}

bool computePairs(const QList<OneMTSample> &pairs, int estimator, ReCalculateParam &settings,
                  WorkFeedback &feedback, QList<PairCurve> &curves, QString &failure,
                  const QList<RegressionChannel> &remote)
{
    // The regression fits all pairs at once; a cancel during it discards what it gives.
    if (estimator == EstimatorRegression)
        return computeRegressionPairs(pairs, settings, curves, failure, remote)
               && !feedback.isCancelled();
    if (!Rhoworks::isEstimator(estimator)) {
        failure = QStringLiteral("estimator code %1 is not one of 1, 2, 3, 6 and 7").arg(estimator);
        return false;
    }
    for (int p = 0; p < pairs.size(); ++p) {
        const OneMTSample &pair = pairs.at(p);
        const int channel = pairChannel(pair.pairName);
        if (channel < 0)
            continue;
        settlePairSettings(pair, settings);
        const int n = int(settings.fftLength);
        PairRequest request = requestOf(pair, n, settings);
        request.keepGoing = feedback.step(double(p) / pairs.size(), double(p + 1) / pairs.size(),
                                          pair.pairName);
        Rhoworks rhoworks;
        if (!rhoworks.compute(estimator, request)) {
            failure = QStringLiteral("the estimator gave no curve for %1 (the files may be shorter "
                                     "than one segment of %2 samples, unreadable or clipped)")
                          .arg(pair.pairName).arg(n);
            return false;
        }
        curves.append({channel, pair.pairName, pair.sampleFrequency,
                       rhoworks.getCanigrdResistivity(), {}});
    }
    return true;
}

bool computeTensor(const QList<MTSampleData> &channels, ReCalculateParam &settings,
                   WorkFeedback &feedback, Data_Calc_Tensor::BandResults &results,
                   QString &failure)
{
    if (!hasImpedanceChannels(channels, failure))
        return false;
    const int fs = channels.first().sampleFrequency;
    if (settings.fftLength < 0)
        settings.fftLength = float(fs);
    const int n = int(settings.fftLength);
    Data_Calc_Tensor tensor;
    tensor.setKeepGoing(feedback.step(0.0, 1.0, QStringLiteral("ExEyHxHy")));
    tensor.loadSpectra(channels, n);
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
