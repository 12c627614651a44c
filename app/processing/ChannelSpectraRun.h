#pragma once
// Spectra of several channels of one recording, computed segment index by segment index: for
// each index every channel's segment is taken from its list or read from its file, tapered,
// transformed and calibrated, its amplitudes are listed and folded into the running means, and the
// calibrated spectra of that index are handed to a callback (for cross powers) before the next
// index. Nothing per segment outlives its index except the listed amplitudes, so memory stays
// bounded however many segments there are, and a channel read from its file gives the same
// numbers as the same segments handed over as a list.
//
// Listing: each list keeps at most a budget of values (kListedValueBudget unless the caller gives
// another), so a run of more segments than budget / (n/2) lists every k-th segment (0, k, 2k, ...)
// with the smallest such k; the means always cover every segment. For a file the segment count is
// known before reading it for binary recordings; for text recordings its upper bound sets k.
//
// Progress: an optional callback hears after every segment index how many of the indexes are
// done; when it returns false the run stops there and its results are empty.
//
// A job whose file cannot be opened or read to its end has failed(): its results are empty and
// so are those of the job paired with it; the other jobs run to their ends.

#include <QList>
#include <QVector>
#include <array>
#include <functional>

#include "CalibratedLines.h"
#include "ChannelSlot.h"
#include "ChannelSpectraJob.h"
#include "ChannelSpectraSet.h"

class ChannelSpectraRun {
public:
    static constexpr int kListedValueBudget = 1 << 22;

    using Job = ChannelSpectraJob;
    // Calibrated spectra of one segment index by slot; empty for a channel without that segment.
    using SegmentSpectra = std::array<CalibratedLines, kChannelSlotCount>;
    using SegmentCallback = std::function<void(const SegmentSpectra &)>;
    // Segment indexes done and (an upper bound on) their count; false asks the run to stop.
    using Progress = std::function<bool(int done, int total)>;

    // n: segment length (samples); withMeanSpectrum: also average the complex spectra;
    // listedValueBudget: values each amplitude list may hold.
    ChannelSpectraRun(int n, bool withMeanSpectrum, int listedValueBudget = kListedValueBudget);

    // Runs the jobs (at most one per slot) and calls onSegment after every segment index. False
    // when progress stopped the run.
    bool run(const QList<Job> &jobs, const SegmentCallback &onSegment, const Progress &progress = {});
    // Results of the job at position index of the last run.
    ChannelSpectraSet result(int index) const { return results.value(index); }
    // Whether the job at position index failed to read its file (or its partner did).
    bool failed(int index) const { return failures.value(index); }

private:
    int listingStride(int segmentCount) const;

    int n;
    bool withMeanSpectrum;
    int listedValueBudget;
    QList<ChannelSpectraSet> results;
    QVector<bool> failures;
};
