#include "ChannelSpectraRun.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "SpectrumCalibration.h"
#include "SpectrumMeans.h"
#include "DensitySpectrum.h"
#include "ParallelFor.h"

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
    std::vector<std::unique_ptr<DensitySpectrum>> transforms;
    std::vector<ChannelSpectraSet *> outputs;
    for (int j = 0; j < jobs.size(); ++j) {
        transforms.push_back(std::make_unique<DensitySpectrum>(n, jobs[j].fs));
        outputs.push_back(&results[j]);
    }
    ChannelState *channelStates = states.data();
    for (int s = 0; s < indexCount; ++s) {
        SegmentSpectra spectra;
        // The channels of a segment index are independent: each job writes only its own state,
        // results and slot, so they run in parallel.
        ParallelFor::run(jobs.size(), [&](int j) {
            const Job &job = jobs[j];
            if (s >= usedSegments(job))
                return;
            QVector<double> samples = job.segments[s];
            if (job.dipoleLength > 0)
                samples = scaleElectric(samples, job.dipoleLength);
            DensitySpectrum &transform = *transforms[size_t(j)];
            const QList<OneFreqSpectrum> raw = transform.isValid() && samples.size() >= n
                ? transform.spectrumLines(samples.constData()) : QList<OneFreqSpectrum>();
            const QList<OneFreqSpectrum> calibrated = calibrateSpectrum(raw, job.sensor, job.gain, true);
            const QVector<double> calibratedAmplitudes = amplitudesOf(calibrated);
            ChannelState &state = channelStates[j];
            if (s % state.stride == 0) {
                outputs[size_t(j)]->rawAmplitudes.append(amplitudesOf(raw));
                outputs[size_t(j)]->calibratedAmplitudes.append(calibratedAmplitudes);
            }
            state.stacked.add(calibratedAmplitudes);
            if (withMeanSpectrum)
                state.mean.add(calibrated);
            spectra[job.slot] = calibrated;
        });
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
