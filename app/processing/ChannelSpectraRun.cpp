#include "ChannelSpectraRun.h"

#include <algorithm>

#include "SpectrumCalibration.h"
#include "SpectrumMeans.h"
#include "Spectrix.h"

using namespace SpectrumCalibration;

namespace {

int usedSegments(const ChannelSpectraRun::Job &job)
{
    return std::min(job.segmentCount, job.segments.size());
}

struct ChannelState {
    int stride = 1;
    AmplitudeMean stacked;
    SpectrumMean mean;
};

} // namespace

ChannelSpectraRun::ChannelSpectraRun(int n, bool withMeanSpectrum, int listedValueBudget)
    : n(n), withMeanSpectrum(withMeanSpectrum), listedValueBudget(listedValueBudget)
{
}

int ChannelSpectraRun::listingStride(int segmentCount) const
{
    const int maxListed = std::max(1, listedValueBudget / std::max(1, n / 2));
    return std::max(1, (segmentCount + maxListed - 1) / maxListed);
}

bool ChannelSpectraRun::run(const QList<Job> &jobs, const SegmentCallback &onSegment,
                            const Progress &progress)
{
    results = QList<ChannelSpectraSet>();
    QVector<ChannelState> states(jobs.size());
    int indexCount = 0;
    for (int j = 0; j < jobs.size(); ++j) {
        results.append(ChannelSpectraSet());
        states[j].stride = listingStride(usedSegments(jobs[j]));
        indexCount = std::max(indexCount, usedSegments(jobs[j]));
    }
    Spectrix spectrix;
    for (int s = 0; s < indexCount; ++s) {
        SegmentSpectra spectra;
        for (int j = 0; j < jobs.size(); ++j) {
            const Job &job = jobs[j];
            if (s >= usedSegments(job))
                continue;
            QVector<double> samples = job.segments[s];
            if (job.dipoleLength > 0)
                samples = scaleElectric(samples, job.dipoleLength);
            const QList<OneFreqSpectrum> raw =
                spectrix.FastFFTTranform(spectrix.WndFunc(samples, 1, n), n, job.fs);
            const QList<OneFreqSpectrum> calibrated = calibrateSpectrum(raw, job.sensor, job.gain, true);
            const QVector<double> calibratedAmplitudes = amplitudesOf(calibrated);
            ChannelState &state = states[j];
            if (s % state.stride == 0) {
                results[j].rawAmplitudes.append(amplitudesOf(raw));
                results[j].calibratedAmplitudes.append(calibratedAmplitudes);
            }
            state.stacked.add(calibratedAmplitudes);
            if (withMeanSpectrum)
                state.mean.add(calibrated);
            spectra[job.slot] = calibrated;
        }
        onSegment(spectra);
        if (progress && !progress(s + 1, indexCount)) {
            results = QList<ChannelSpectraSet>();
            return false;
        }
    }
    for (int j = 0; j < jobs.size(); ++j) {
        results[j].stackedAmplitudes = states[j].stacked.mean();
        results[j].meanSpectrum = states[j].mean.mean();
    }
    return true;
}
