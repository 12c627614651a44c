#pragma once
// Spectra of several channels of one recording, computed segment index by segment index: for
// each index every channel's segment is tapered, transformed and calibrated, its amplitudes are
// listed and folded into the running means, and the calibrated spectra of that index are handed
// to a callback (for cross powers) before the next index. Nothing per segment outlives its index
// except the listed amplitudes, so memory stays bounded however many segments there are.
//
// Listing: each list keeps at most a budget of values (kListedValueBudget unless the caller gives
// another), so a run of more segments than budget / (n/2) lists every k-th segment (0, k, 2k, ...)
// with the smallest such k; the means always cover every segment.
//
// Progress: an optional callback hears after every segment index how many of the indexes are
// done; when it returns false the run stops there and its results are empty.

#include <QList>
#include <QVector>
#include <array>
#include <functional>

#include "ChannelSlot.h"
#include "ChannelSpectraSet.h"
#include "SpectralRecords.h"

class ChannelSpectraRun {
public:
    static constexpr int kListedValueBudget = 1 << 22;

    // One channel's part in a run.
    struct Job {
        int slot = Slot_Ex;
        QList<QVector<double>> segments;
        int segmentCount = 0;          // segments used, from the first (at most segments.size())
        double fs = 0.0;               // Hz
        double dipoleLength = 0.0;     // m; > 0 converts electric samples to mV/km first
        QList<OneFreqCheck> sensor;    // resampled onto the FFT lines
        QList<OneFreqCheck> gain;
    };
    // Calibrated spectra of one segment index by slot; empty for a channel without that segment.
    using SegmentSpectra = std::array<QList<OneFreqSpectrum>, kChannelSlotCount>;
    using SegmentCallback = std::function<void(const SegmentSpectra &)>;
    // Segment indexes done and their count; false asks the run to stop.
    using Progress = std::function<bool(int done, int total)>;

    // n: segment length (samples); withMeanSpectrum: also average the complex spectra;
    // listedValueBudget: values each amplitude list may hold.
    ChannelSpectraRun(int n, bool withMeanSpectrum, int listedValueBudget = kListedValueBudget);

    // Runs the jobs (at most one per slot) and calls onSegment after every segment index. False
    // when progress stopped the run.
    bool run(const QList<Job> &jobs, const SegmentCallback &onSegment, const Progress &progress = {});
    // Results of the job at position index of the last run.
    ChannelSpectraSet result(int index) const { return results.value(index); }

private:
    int listingStride(int segmentCount) const;

    int n;
    bool withMeanSpectrum;
    int listedValueBudget;
    QList<ChannelSpectraSet> results;
};
