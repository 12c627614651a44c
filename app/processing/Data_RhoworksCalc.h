#pragma once
// The calculator behind the time-series and spectrum view: for the channels of one recording it
// computes every segment's amplitude spectrum, raw and calibrated, the segment-averaged
// ("stacked") calibrated amplitudes and mean calibrated spectrum, and segment-averaged cross
// powers of the electric channels against Hy, of Ex against Ey, of Ey against Hx and of Hx
// against Hy. A second run
// works per channel pair; a third gives a band-averaged calibrated spectrum at the standard
// frequencies for an export.
//
// Runs are synchronous and emit interpfinished() at their end; a caller may run them on a worker
// thread (the object is not used by anyone else meanwhile) and follow them with a progress
// callback that can stop them: a stopped run changes no result and emits nothing. A channel (or pair) whose
// descriptor is missing, whose calibration tables cannot be loaded or whose dipole length is not
// positive is skipped and keeps its previous results. Cross powers are only formed from channels
// computed in the same run, over the segment indexes both channels have; a cross power whose
// channels were not both computed is empty after the run.
//
// Memory: per-segment spectra are folded into running means at once; the per-segment amplitude
// lists are bounded (ChannelSpectraRun lists every k-th segment of a long run).
//
// Segments come from the lists the setters stored, or, once setStreamFromFiles(true) is called,
// straight from each channel's data file as its descriptor gives it (count scale and sample count),
// one segment at a time: the same numbers as the lists Wavefile would read from those files, in the
// memory of a few spectra. A channel whose file cannot be read is then skipped like one whose
// calibration table cannot be loaded.

#include <QMap>
#include <QObject>
#include <QStringList>
#include <array>

#include "ChannelSlot.h"
#include "ChannelSpectraRun.h"
#include "ChannelSpectraSet.h"
#include "ProcessingRecords.h"
#include "SpectralRecords.h"

class Data_RhoworksCalc : public QObject {
    Q_OBJECT
public:
    // Segment indexes done and their count; false stops the run.
    using Progress = ChannelSpectraRun::Progress;

    explicit Data_RhoworksCalc(QObject *parent = nullptr);

    void setSampleList(const QList<MTSampleData> &samples, const QStringList &channelNames);
    void setOneSampleList(const QList<OneMTSample> &pairs, const QStringList &channelNames);
    // Replaces the segments of the channel named "Ex", "Ey", "Ex2", "Hx" or "Hy" (in mV);
    // false for any other name.
    bool setChannelSegments(const QString &channelName, const QList<QVector<double>> &segments);
    // On: the runs read the channels' segments from the descriptors' data files, at most
    // segmentLimit of them per channel when it is positive, instead of using the stored lists.
    void setStreamFromFiles(bool on, int segmentLimit = 0);

    // Per-channel run over the stored channel names with the channel descriptors; n: segment
    // length in samples (> 1). False when progress stopped it.
    bool calcChannelSpectra(int n, const Progress &progress = {});
    // Pair run: "Ex" runs pair "ExHy", "Ey" pair "EyHx", "Ex2" pair "Ex2Hy", each over the segment
    // indexes both of its channels have. When two pairs share Hy, the later one's Hy results stay.
    bool calcPairSpectra(int n, const Progress &progress = {});

    // Listed raw and calibrated amplitude spectra and the stacked calibrated amplitudes of a
    // channel; false (outputs untouched) for an unknown name.
    bool channelResults(const QString &channelName, QList<QVector<double>> &rawAmplitudes,
                        QList<QVector<double>> &calibratedAmplitudes,
                        QVector<double> &stackedAmplitudes) const;
    // Mean calibrated spectrum of a channel from the last per-channel run (empty for an unknown
    // name).
    QVector<OneFreqSpectrum> meanSpectrum(const QString &channelName) const;
    // Stacked cross powers of Ex, Ey, Ex2 and of the mean electric spectrum, each against Hy.
    void crossPowerResults(QVector<OneFreqCrossPower> &exHy, QVector<OneFreqCrossPower> &eyHy,
                           QVector<OneFreqCrossPower> &ex2Hy,
                           QVector<OneFreqCrossPower> &meanEHy) const;
    // Stacked cross powers with Ex as E and Ey as H, with Ey as E and Hx as H, and with Hx as E
    // and Hy as H.
    QVector<OneFreqCrossPower> stackedCrossPowerExEy() const;
    QVector<OneFreqCrossPower> stackedCrossPowerEyHx() const;
    QVector<OneFreqCrossPower> stackedCrossPowerHxHy() const;

    // Merges the band-averaged calibrated Hy amplitude at the standard frequencies of the
    // recording's band into stationSpectrum (a key already present is averaged with the new
    // value). Frequencies whose band holds no FFT line are left out. False, map unchanged, when a
    // table cannot be loaded or there is no segment.
    bool calcStationSpectrum(const QList<QVector<double>> &hySegments, double fs, int n,
                             const QString &gainFile, const QString &sensorFile,
                             QMap<double, double> &stationSpectrum) const;

    // Parzen-weighted mean of values at f0 over the band of half-width f0 * r; NaN when the band
    // holds no frequency.
    static double bandAverage(double f0, const QVector<double> &frequencies,
                              const QVector<double> &values, double r);
    // The table resampled onto the FFT lines k * fs / n, k = 1 .. n/2.
    static void resampleCheckTable(QList<OneFreqCheck> &table, int n, double fs);

signals:
    void interpfinished();

private:
    enum StackedPair { ExHy, EyHy, Ex2Hy, MeanEHy, ExEy, EyHx, HxHy, StackedPairCount };
    using Job = ChannelSpectraRun::Job;

    bool channelJob(const QString &name, int n, Job &job) const;
    bool pairJobs(const QString &electricName, int n, Job &electric, Job &magnetic) const;
    bool runJobs(const QList<Job> &jobs, int n, bool channelRun, const Progress &progress);
    void listSource(Job &job) const;
    void fileSource(Job &job, const QString &file, float countScale, int sampleCount) const;

    std::array<QList<QVector<double>>, kChannelSlotCount> segments;
    QList<OneMTSample> pairSamples;
    QList<MTSampleData> channelSamples;
    QStringList channelNames;
    std::array<ChannelSpectraSet, kChannelSlotCount> spectra;
    std::array<QVector<OneFreqCrossPower>, StackedPairCount> stackedPairs;
    bool streamFromFiles = false;
    int streamedSegmentLimit = 0;
};
