#include "ChannelSpectraRun.h"

#include <QDebug>
#include <algorithm>
#include <memory>
#include <vector>

#include "ChannelSegmentSpectrum.h"
#include "ParallelFor.h"
#include "SpectrumMeans.h"

namespace {

struct ChannelState {
    std::unique_ptr<ChannelSegmentSpectrum> channel;
    int partner = -1;      // position of the paired job in the run
    int stride = 1;
    bool active = true;    // may still deliver segments
    bool present = false;  // has the current segment index
    AmplitudeMean stacked;
    SpectrumMean mean;
};

// A segment index counts for a paired channel only when its partner has it too; a channel that
// misses an index has ended.
void pairPresence(std::vector<ChannelState> &states)
{
    std::vector<bool> read;
    for (const ChannelState &state : states)
        read.push_back(state.present);
    for (ChannelState &state : states) {
        if (state.partner >= 0 && !read[size_t(state.partner)])
            state.present = false;
        state.active = state.active && state.present;
    }
}

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
    failures = QVector<bool>(jobs.size(), false);
    std::vector<ChannelState> states(size_t(jobs.size()));
    int total = 0;
    for (int j = 0; j < jobs.size(); ++j)
        results.append(ChannelSpectraSet());
    std::vector<ChannelSpectraSet *> outputs;
    for (int j = 0; j < jobs.size(); ++j) {
        outputs.push_back(&results[j]);
        ChannelState &state = states[size_t(j)];
        state.channel = std::make_unique<ChannelSegmentSpectrum>(jobs[j], n);
        if (!state.channel->open()) {
            qWarning().noquote() << "spectrum run: cannot read" << state.channel->errorString();
            state.active = false;
        }
        for (int other = 0; other < jobs.size(); ++other)
            if (jobs[other].slot == jobs[j].partnerSlot)
                state.partner = other;
        state.stride = listingStride(state.channel->segmentBound());
        total = std::max(total, state.channel->segmentBound());
    }
    for (int s = 0;; ++s) {
        ParallelFor::run(jobs.size(), [&](int j) {
            ChannelState &state = states[size_t(j)];
            state.present = state.active && state.channel->next(s);
        });
        pairPresence(states);
        if (std::none_of(states.cbegin(), states.cend(), [](const ChannelState &c) { return c.present; }))
            break;
        SegmentSpectra spectra;
        // Each job writes only its own state, results and slot, so they run in parallel.
        ParallelFor::run(jobs.size(), [&](int j) {
            ChannelState &state = states[size_t(j)];
            if (!state.present)
                return;
            const ChannelSegmentSpectrum &channel = *state.channel;
            const CalibratedLines &lines = channel.lines();
            if (s % state.stride == 0) {
                const double *raw = channel.rawAmplitudes();
                outputs[size_t(j)]->rawAmplitudes.append(QVector<double>(raw, raw + channel.rawCount()));
                outputs[size_t(j)]->calibratedAmplitudes.append(
                    QVector<double>(lines.amplitudes, lines.amplitudes + lines.count));
            }
            state.stacked.add(lines.amplitudes, lines.count);
            if (withMeanSpectrum)
                state.mean.add(lines.frequencies, lines.amplitudes, lines.phases, lines.count);
            spectra[size_t(jobs[j].slot)] = lines;
        });
        onSegment(spectra);
        if (progress && !progress(s + 1, std::max(total, s + 1))) {
            results = QList<ChannelSpectraSet>();
            return false;
        }
    }
    for (int j = 0; j < jobs.size(); ++j) {
        const ChannelState &state = states[size_t(j)];
        failures[j] = state.channel->failed()
            || (state.partner >= 0 && states[size_t(state.partner)].channel->failed());
        if (failures[j]) {
            results[j] = ChannelSpectraSet();
            continue;
        }
        results[j].stackedAmplitudes = state.stacked.mean();
        results[j].meanSpectrum = state.mean.mean();
    }
    return true;
}
