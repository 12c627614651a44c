#include "RegressionPairs.h"

#include <algorithm>

#include "RegressionCurves.h"
#include "RegressionEstimator.h"

namespace RegressionPairs {

namespace {

const QStringList kPairNames{QStringLiteral("ExHy"), QStringLiteral("EyHx"), QStringLiteral("Ex2Hy")};

QList<OneMTSample> namedPairs(const QList<OneMTSample> &pairs)
{
    QList<OneMTSample> named;
    for (const OneMTSample &pair : pairs)
        if (kPairNames.contains(pair.pairName))
            named.append(pair);
    return named;
}

RegressionChannel electricOf(const OneMTSample &pair)
{
    RegressionChannel channel;
    channel.dataFile = pair.eDataFile;
    channel.sensorFile = pair.eSensorFile;
    channel.gainFile = pair.eGainFile;
    channel.applySensor = pair.lowBand == 0;
    channel.countScale = pair.countScale;
    channel.unitFactor = 1000.0 / double(pair.dipoleLength);
    return channel;
}

RegressionChannel magneticOf(const OneMTSample &pair)
{
    RegressionChannel channel;
    channel.dataFile = pair.hDataFile;
    channel.sensorFile = pair.hSensorFile;
    channel.gainFile = pair.hGainFile;
    channel.countScale = pair.countScale;
    return channel;
}

// The distinct magnetic files of the pairs, the EyHx pair's (Hx) first.
QStringList magneticFiles(const QList<OneMTSample> &pairs)
{
    QList<OneMTSample> ordered = pairs;
    std::stable_partition(ordered.begin(), ordered.end(),
                          [](const OneMTSample &p) { return p.pairName == QLatin1String("EyHx"); });
    QStringList files;
    for (const OneMTSample &pair : ordered)
        if (!files.contains(pair.hDataFile))
            files.append(pair.hDataFile);
    return files;
}

long long sampleLimit(const OneMTSample &pair, const ReCalculateParam &settings)
{
    long long limit = pair.sampleCount > 0 ? pair.sampleCount : 0;
    if (settings.fftCount > 0 && settings.fftLength > 0) {
        const long long cut = (long long)settings.fftCount * (long long)settings.fftLength;
        limit = limit > 0 ? std::min(limit, cut) : cut;
    }
    return limit;
}

}  // namespace

RegressionRequest requestFor(const QList<OneMTSample> &pairs, const ReCalculateParam &settings,
                             const QList<RegressionChannel> &remote)
{
    const QList<OneMTSample> named = namedPairs(pairs);
    RegressionRequest request;
    if (named.isEmpty())
        return request;
    request.fs = named.first().sampleFrequency;
    request.sampleLimit = sampleLimit(named.first(), settings);
    request.bands.frequencyMode = settings.frequencyDensity;
    request.bands.ruleLength = int(settings.fftLength);
    for (const OneMTSample &pair : named)
        request.outputs.append(electricOf(pair));
    for (const QString &file : magneticFiles(named)) {
        const auto owner = std::find_if(named.begin(), named.end(),
                                        [&](const OneMTSample &p) { return p.hDataFile == file; });
        request.inputs.append(magneticOf(*owner));
    }
    request.references = remote;
    return request;
}

bool compute(const QList<OneMTSample> &pairs, const ReCalculateParam &settings,
             QList<PairResult> &results, QString &failure, const QList<RegressionChannel> &remote)
{
    const QList<OneMTSample> named = namedPairs(pairs);
    const auto noDipole = std::find_if(named.begin(), named.end(),
                                       [](const OneMTSample &p) { return !(p.dipoleLength != 0); });
    if (noDipole != named.end()) {
        failure = QStringLiteral("the dipole length of %1 is 0").arg(noDipole->pairName);
        return false;
    }
    const RegressionRequest request = requestFor(named, settings, remote);
    QVector<RegressionEstimate> estimates;
    if (named.isEmpty() || !RegressionEstimator::run(request, estimates, failure)) {
        if (named.isEmpty())
            failure = QStringLiteral("the recording has no ExHy, EyHx or Ex2Hy pair");
        return false;
    }
    const QStringList inputFiles = magneticFiles(named);
    for (int o = 0; o < named.size(); ++o) {
        PairResult result;
        result.pairName = named[o].pairName;
        RegressionCurves::elementCurve(estimates, o, inputFiles.indexOf(named[o].hDataFile), result.curve,
                                       result.errorBars);
        results.append(result);
    }
    return true;
}

}  // namespace RegressionPairs
