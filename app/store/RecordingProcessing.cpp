#include "RecordingProcessing.h"

#include <QFileInfo>
#include <algorithm>
#include <iterator>

#include "RecordingDescriptors.h"
#include "RecordingTableReader.h"
#include "RegressionPairs.h"
#include "Rhoworks.h"
#include "TensorBand.h"
#include "Trimora.h"

namespace RecordingProcessing {

namespace {

using Method = bool (Rhoworks::*)(QString, QString, double, double, double, QString, QString,
                                  QString, QString, bool, int, int, bool, bool, int);

Method methodFor(int estimator)
{
    switch (estimator) {
    case EstimatorPlain: return &Rhoworks::Calc_CagniardResistivity;
    case EstimatorRobust: return &Rhoworks::Calc_CagniardResistivityRobust;
    case EstimatorMEstimation: return &Rhoworks::Calc_CagniardResistivityMEstimation;
    case EstimatorMedian: return &Rhoworks::Calc_CagniardResistivityMedian;
    default: return nullptr;
    }
}

QString channelName(int code)
{
    switch (code) {
    case Channel_Ex: return QStringLiteral("Ex");
    case Channel_Ey: return QStringLiteral("Ey");
    case Channel_Hx: return QStringLiteral("Hx");
    case Channel_Hy: return QStringLiteral("Hy");
    case Channel_Ex2: return QStringLiteral("Ex2");
    default: return QStringLiteral("channel %1").arg(code);
    }
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

RecordingHeader headerOf(const RecordingInfo &info, int sampleRate)
{
    RecordingHeader header;
    header.hxSensor = info.hxSensor;
    header.hySensor = info.hySensor;
    header.exSensor = info.exSensor;
    header.eySensor = info.eySensor;
    header.ex2Sensor = info.ex2Sensor;
    header.hasHx = info.hasHx;
    header.hasHy = info.hasHy;
    header.hasEx = info.hasEx;
    header.hasEy = info.hasEy;
    header.hasEx2 = info.hasEx2;
    header.eGainNumber = info.eGainNumber;
    header.hGainNumber = info.hGainNumber;
    header.exDipole = info.exDipole;
    header.eyDipole = info.eyDipole;
    header.ex2Dipole = info.ex2Dipole;
    header.sampleRate = sampleRate;
    header.hours = info.hours;
    header.minutes = info.minutes;
    header.seconds = info.seconds;
    header.lowBand = info.lowBand;
    header.files = info.files;
    header.instrumentNumber = info.instrumentNumber;
    return header;
}

bool isTensorRecording(const RecordingInfo &info, const ReCalculateParam &settings)
{
    if (info.measureMode == RecordingTableReader::ModeVector)
        return true;
    return settings.tensorMode && info.hasEx && info.hasEy && info.hasHx && info.hasHy;
}

QList<OneMTSample> pairSamples(const RecordingInfo &info, const RecordingHeader &header)
{
    if (info.measureMode == RecordingTableReader::ModeCommonPointMulti
        || info.measureMode == RecordingTableReader::ModeParallel)
        return RecordingDescriptors::buildSingleHPairSamples(header);
    return RecordingDescriptors::buildPairSamples(header);
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
                 PairCurve &curve, QString &failure)
{
    const Method method = methodFor(estimator);
    if (!method) {
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
    Rhoworks rhoworks;
    if (!(rhoworks.*method)(pair.eDataFile, pair.hDataFile, pair.sampleFrequency, pair.sampleCount,
                            pair.dipoleLength, pair.eSensorFile, pair.hSensorFile, pair.eGainFile,
                            pair.hGainFile, pair.lowBand == 0, n, settings.fftCount,
                            settings.trendCorrection, false, settings.frequencyDensity)) {
        failure = QStringLiteral("the estimator gave no curve (the files may be shorter than one "
                                 "segment of %1 samples, unreadable or clipped)").arg(n);
        return false;
    }
    curve = {pairChannel(pair.pairName), pair.pairName, pair.sampleFrequency,
             rhoworks.getCanigrdResistivity(), {}};
    return true;
}

bool computeTensor(const QList<MTSampleData> &channels, ReCalculateParam &settings,
                   Data_Calc_Tensor::BandResults &results, QString &failure)
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
    tensor.loadSpectra(used, n);
    results = tensor.bandResults(TensorBand::forRecording(fs, n), 0.3);
    if (results.impedances.isEmpty()) {
        failure = QStringLiteral("tensor processing solved no frequency (the files may be "
                                 "shorter than one segment of %1 samples or unreadable)").arg(n);
        return false;
    }
    return true;
}

} // namespace RecordingProcessing
