#include "Data_RhoworksCalc.h"

#include <QDebug>
#include <algorithm>
#include <cmath>
#include <gsl/gsl_complex_math.h>
#include <vector>

#include "FrequencyTables.h"
#include "MeanElectricLines.h"
#include "SampleRateBands.h"
#include "SpectrumCalibration.h"
#include "SpectrumMeans.h"
#include "StackedCrossPower.h"
#include "DensitySpectrum.h"
#include "Spectrix.h"

using namespace SpectrumCalibration;

namespace {

// The pair an electric channel name selects in the pair run, or an empty string.
QString pairOfElectric(const QString &name)
{
    if (name == QLatin1String("Ex"))
        return QStringLiteral("ExHy");
    if (name == QLatin1String("Ey"))
        return QStringLiteral("EyHx");
    if (name == QLatin1String("Ex2"))
        return QStringLiteral("Ex2Hy");
    return QString();
}

bool positiveDipole(double dipoleLength, const QString &file)
{
    if (dipoleLength > 0)
        return true;
    qDebug().noquote() << "Data_RhoworksCalc: dipole length" << dipoleLength << "of" << file
                       << "is not positive; channel skipped";
    return false;
}

} // namespace

Data_RhoworksCalc::Data_RhoworksCalc(QObject *parent) : QObject(parent)
{
}

void Data_RhoworksCalc::setSampleList(const QList<MTSampleData> &samples, const QStringList &names)
{
    channelSamples = samples;
    channelNames = names;
}

void Data_RhoworksCalc::setOneSampleList(const QList<OneMTSample> &pairs, const QStringList &names)
{
    pairSamples = pairs;
    channelNames = names;
}

bool Data_RhoworksCalc::setChannelSegments(const QString &channelName,
                                           const QList<QVector<double>> &channelSegments)
{
    const int slot = ChannelSlots::slotOfName(channelName);
    if (slot < 0)
        return false;
    segments[slot] = channelSegments;
    return true;
}

void Data_RhoworksCalc::setStreamFromFiles(bool on, int segmentLimit)
{
    streamFromFiles = on;
    streamedSegmentLimit = segmentLimit;
}

void Data_RhoworksCalc::listSource(Job &job) const
{
    job.segments = segments[job.slot];
    job.segmentCount = job.segments.size();
}

void Data_RhoworksCalc::fileSource(Job &job, const QString &file, float countScale,
                                   int sampleCount) const
{
    job.fromFile = true;
    job.dataFile = file;
    job.countScale = countScale;
    job.sampleCount = sampleCount;
    job.segmentLimit = streamedSegmentLimit;
}

bool Data_RhoworksCalc::channelJob(const QString &name, int n, Job &job) const
{
    const int slot = ChannelSlots::slotOfName(name);
    const int code = ChannelSlots::codeOfSlot(slot);
    const auto found = std::find_if(channelSamples.cbegin(), channelSamples.cend(),
                                    [code](const MTSampleData &d) { return d.channel == code; });
    if (slot < 0 || found == channelSamples.cend())
        return false;
    const MTSampleData &d = *found;
    const bool electric = ChannelSlots::isElectric(slot);
    if (electric && !positiveDipole(d.dipoleLength, d.dataFile))
        return false;
    if (!loadSensorTable(d.sensorFile, n, d.sampleFrequency, job.sensor)
        || !loadGainTable(d.gainFile, n, d.sampleFrequency, job.gain))
        return false;
    job.slot = slot;
    if (streamFromFiles)
        fileSource(job, d.dataFile, d.countScale, d.sampleCount);
    else
        listSource(job);
    job.fs = d.sampleFrequency;
    job.dipoleLength = electric ? d.dipoleLength : 0.0;
    return true;
}

bool Data_RhoworksCalc::calcChannelSpectra(int n, const Progress &progress)
{
    QList<Job> jobs;
    for (const QString &name : qAsConst(channelNames)) {
        Job job;
        if (!channelJob(name, n, job))
            continue;
        jobs.erase(std::remove_if(jobs.begin(), jobs.end(),
                                  [&job](const Job &other) { return other.slot == job.slot; }),
                   jobs.end());
        jobs.append(job);
    }
    return runJobs(jobs, n, true, progress);
}

bool Data_RhoworksCalc::pairJobs(const QString &electricName, int n, Job &electric,
                                 Job &magnetic) const
{
    const QString pairName = pairOfElectric(electricName);
    const auto found = std::find_if(pairSamples.cbegin(), pairSamples.cend(),
                                    [&pairName](const OneMTSample &p) {
                                        return p.pairName.contains(pairName);
                                    });
    if (pairName.isEmpty() || found == pairSamples.cend())
        return false;
    const OneMTSample &p = *found;
    if (!positiveDipole(p.dipoleLength, p.eDataFile))
        return false;
    const double fs = p.sampleFrequency;
    if (!loadSensorTable(p.eSensorFile, n, fs, electric.sensor)
        || !loadSensorTable(p.hSensorFile, n, fs, magnetic.sensor)
        || !loadGainTable(p.eGainFile, n, fs, electric.gain)
        || !loadGainTable(p.hGainFile, n, fs, magnetic.gain))
        return false;
    electric.slot = ChannelSlots::slotOfName(electricName);
    magnetic.slot = pairName == QLatin1String("EyHx") ? Slot_Hx : Slot_Hy;
    electric.partnerSlot = magnetic.slot;
    magnetic.partnerSlot = electric.slot;
    if (streamFromFiles) {
        fileSource(electric, p.eDataFile, p.countScale, p.sampleCount);
        fileSource(magnetic, p.hDataFile, p.countScale, p.sampleCount);
    } else {
        listSource(electric);
        listSource(magnetic);
    }
    electric.fs = magnetic.fs = fs;
    electric.dipoleLength = p.dipoleLength;
    return true;
}

bool Data_RhoworksCalc::calcPairSpectra(int n, const Progress &progress)
{
    QList<Job> jobs;
    for (const QString &name : qAsConst(channelNames)) {
        Job electric, magnetic;
        if (!pairJobs(name, n, electric, magnetic))
            continue;
        // A later pair replaces the results of a channel an earlier pair computed.
        jobs.erase(std::remove_if(jobs.begin(), jobs.end(),
                                  [&](const Job &other) {
                                      return other.slot == electric.slot
                                          || other.slot == magnetic.slot;
                                  }),
                   jobs.end());
        jobs << electric << magnetic;
    }
    return runJobs(jobs, n, false, progress);
}

namespace {

// The two slots of every stacked pair, in the order of StackedPair.
constexpr std::array<std::array<int, 2>, 7> kPairSlots{{{Slot_Ex, Slot_Hy}, {Slot_Ey, Slot_Hy},
    {Slot_Ex2, Slot_Hy}, {-1, Slot_Hy}, {Slot_Ex, Slot_Ey}, {Slot_Ey, Slot_Hx}, {Slot_Hx, Slot_Hy}}};

bool pairTouches(int pair, const std::array<bool, kChannelSlotCount> &marked)
{
    const std::array<int, 2> &p = kPairSlots[size_t(pair)];
    const bool meanE = p[0] < 0 && (marked[Slot_Ex] || marked[Slot_Ey] || marked[Slot_Ex2]);
    return meanE || (p[0] >= 0 && marked[size_t(p[0])]) || marked[size_t(p[1])];
}

} // namespace

bool Data_RhoworksCalc::runJobs(const QList<Job> &jobs, int n, bool channelRun,
                                const Progress &progress)
{
    static_assert(kPairSlots.size() == StackedPairCount, "a pair without its slots");
    std::vector<StackedCrossPower> stacks(StackedPairCount, StackedCrossPower(n));
    MeanElectricLines meanElectric;
    ChannelSpectraRun run(n, channelRun);
    const bool finished = run.run(jobs, [&](const ChannelSpectraRun::SegmentSpectra &s) {
        for (int pair = channelRun ? ExHy : ExEy; pair < StackedPairCount; ++pair) {
            const std::array<int, 2> &p = kPairSlots[size_t(pair)];
            if (p[0] >= 0)
                stacks[size_t(pair)].add(s[size_t(p[0])], s[size_t(p[1])]);
        }
        if (channelRun && !s[Slot_Ex].isEmpty() && !s[Slot_Ey].isEmpty() && !s[Slot_Ex2].isEmpty())
            stacks[MeanEHy].add(meanElectric.of(s[Slot_Ex], s[Slot_Ey], s[Slot_Ex2]), s[Slot_Hy]);
    }, progress);
    if (!finished)
        return false;
    std::array<bool, kChannelSlotCount> failedSlots{};
    for (int j = 0; j < jobs.size(); ++j) {
        if (run.failed(j)) {
            failedSlots[size_t(jobs[j].slot)] = true;
            continue;
        }
        ChannelSpectraSet result = run.result(j);
        if (!channelRun)
            result.meanSpectrum = spectra[jobs[j].slot].meanSpectrum;
        spectra[jobs[j].slot] = result;
    }
    for (int pair = channelRun ? ExHy : ExEy; pair < StackedPairCount; ++pair)
        stackedPairs[pair] = pairTouches(pair, failedSlots) ? QVector<OneFreqCrossPower>()
                                                            : stacks[size_t(pair)].mean();
    emit interpfinished();
    return true;
}

bool Data_RhoworksCalc::channelResults(const QString &channelName,
                                       QList<QVector<double>> &rawAmplitudes,
                                       QList<QVector<double>> &calibratedAmplitudes,
                                       QVector<double> &stackedAmplitudes) const
{
    const int slot = ChannelSlots::slotOfName(channelName);
    if (slot < 0)
        return false;
    rawAmplitudes = spectra[slot].rawAmplitudes;
    calibratedAmplitudes = spectra[slot].calibratedAmplitudes;
    stackedAmplitudes = spectra[slot].stackedAmplitudes;
    return true;
}

QVector<OneFreqSpectrum> Data_RhoworksCalc::meanSpectrum(const QString &channelName) const
{
    const int slot = ChannelSlots::slotOfName(channelName);
    return slot < 0 ? QVector<OneFreqSpectrum>() : spectra[slot].meanSpectrum;
}

void Data_RhoworksCalc::crossPowerResults(QVector<OneFreqCrossPower> &exHy,
                                          QVector<OneFreqCrossPower> &eyHy,
                                          QVector<OneFreqCrossPower> &ex2Hy,
                                          QVector<OneFreqCrossPower> &meanEHy) const
{
    exHy = stackedPairs[ExHy];
    eyHy = stackedPairs[EyHy];
    ex2Hy = stackedPairs[Ex2Hy];
    meanEHy = stackedPairs[MeanEHy];
}

QVector<OneFreqCrossPower> Data_RhoworksCalc::stackedCrossPowerExEy() const
{
    return stackedPairs[ExEy];
}

QVector<OneFreqCrossPower> Data_RhoworksCalc::stackedCrossPowerEyHx() const
{
    return stackedPairs[EyHx];
}

QVector<OneFreqCrossPower> Data_RhoworksCalc::stackedCrossPowerHxHy() const
{
    return stackedPairs[HxHy];
}

bool Data_RhoworksCalc::calcStationSpectrum(const QList<QVector<double>> &hySegments, double fs,
                                            int n, const QString &gainFile,
                                            const QString &sensorFile,
                                            QMap<double, double> &stationSpectrum) const
{
    const double lower = SampleRateBands::spectrumLowerFrequency(fs, n);
    const double upper = fs * 0.5;
    QList<OneFreqCheck> sensor, gain;
    if (!loadSensorTable(sensorFile, n, fs, sensor) || !loadGainTable(gainFile, n, fs, gain))
        return false;
    DensitySpectrum transform(n, fs);
    AmplitudeMean mean;
    for (const QVector<double> &segment : hySegments) {
        const QList<OneFreqSpectrum> spectrum = transform.isValid() && segment.size() >= n
            ? transform.spectrumLines(segment.constData()) : QList<OneFreqSpectrum>();
        mean.add(amplitudesOf(calibrateSpectrum(spectrum, sensor, gain, true)));
    }
    if (mean.count() == 0)
        return false;
    const QVector<double> amplitudes = mean.mean();
    QVector<double> frequencies;
    for (int k = 1; k <= n / 2; ++k)
        frequencies.append(k * fs / n);
    const QList<double> targets =
        FrequencyTables::within(FrequencyTables::standardFrequencies(), lower, upper);
    for (double f : targets) {
        const double v = bandAverage(f, frequencies, amplitudes, 0.3);
        if (std::isnan(v))
            continue;
        stationSpectrum[f] = stationSpectrum.contains(f) ? (stationSpectrum[f] + v) * 0.5 : v;
    }
    return true;
}

double Data_RhoworksCalc::bandAverage(double f0, const QVector<double> &frequencies,
                                      const QVector<double> &values, double r)
{
    QVector<gsl_complex> complexValues;
    complexValues.reserve(values.size());
    for (double value : values)
        complexValues.append(gsl_complex_rect(value, 0.0));
    return GSL_REAL(Spectrix().OneFreqBendParzen(f0, complexValues, frequencies, r));
}

void Data_RhoworksCalc::resampleCheckTable(QList<OneFreqCheck> &table, int n, double fs)
{
    SpectrumCalibration::resampleCheckTable(table, n, fs);
}
