#include "Data_RhoworksCalc.h"

#include <QDebug>
#include <algorithm>
#include <cmath>
#include <gsl/gsl_complex_math.h>

#include "FrequencyTables.h"
#include "SampleRateBands.h"
#include "SpectrumCalibration.h"
#include "SpectrumMeans.h"
#include "DensitySpectrum.h"
#include "Spectrix.h"

using namespace SpectrumCalibration;

namespace {

// Line by line: amplitudes and phases of Ey, Ex and Ex2 averaged separately, as plain numbers.
QList<OneFreqSpectrum> meanElectricSpectrum(const QList<OneFreqSpectrum> &ex,
                                            const QList<OneFreqSpectrum> &ey,
                                            const QList<OneFreqSpectrum> &ex2)
{
    const int count = std::min({ex.size(), ey.size(), ex2.size()});
    QList<OneFreqSpectrum> mean;
    mean.reserve(count);
    for (int i = 0; i < count; ++i)
        mean.append(OneFreqSpectrum{ex[i].freq,
                                    (ey[i].amplitude + ex[i].amplitude + ex2[i].amplitude) / 3.0,
                                    (ey[i].phase + ex[i].phase + ex2[i].phase) / 3.0});
    return mean;
}

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
    job.segments = segments[slot];
    job.segmentCount = job.segments.size();
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
    electric.segments = segments[electric.slot];
    magnetic.segments = segments[magnetic.slot];
    electric.segmentCount = std::min(electric.segments.size(), magnetic.segments.size());
    magnetic.segmentCount = electric.segmentCount;
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

bool Data_RhoworksCalc::runJobs(const QList<Job> &jobs, int n, bool channelRun,
                                const Progress &progress)
{
    std::array<CrossPowerMean, StackedPairCount> stacks;
    auto addPair = [&](StackedPair pair, const QList<OneFreqSpectrum> &e,
                       const QList<OneFreqSpectrum> &h) {
        if (!e.isEmpty() && !h.isEmpty())
            stacks[pair].addProducts(e, h);
    };
    ChannelSpectraRun run(n, channelRun);
    const bool finished = run.run(jobs, [&](const ChannelSpectraRun::SegmentSpectra &s) {
        if (channelRun) {
            addPair(ExHy, s[Slot_Ex], s[Slot_Hy]);
            addPair(EyHy, s[Slot_Ey], s[Slot_Hy]);
            addPair(Ex2Hy, s[Slot_Ex2], s[Slot_Hy]);
            if (!s[Slot_Ex].isEmpty() && !s[Slot_Ey].isEmpty() && !s[Slot_Ex2].isEmpty())
                addPair(MeanEHy, meanElectricSpectrum(s[Slot_Ex], s[Slot_Ey], s[Slot_Ex2]),
                        s[Slot_Hy]);
        }
        addPair(ExEy, s[Slot_Ex], s[Slot_Ey]);
        addPair(EyHx, s[Slot_Ey], s[Slot_Hx]);
        addPair(HxHy, s[Slot_Hx], s[Slot_Hy]);
    }, progress);
    if (!finished)
        return false;
    for (int j = 0; j < jobs.size(); ++j) {
        ChannelSpectraSet result = run.result(j);
        if (!channelRun)
            result.meanSpectrum = spectra[jobs[j].slot].meanSpectrum;
        spectra[jobs[j].slot] = result;
    }
    for (int pair = channelRun ? ExHy : ExEy; pair < StackedPairCount; ++pair)
        stackedPairs[pair] = stacks[pair].mean();
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
