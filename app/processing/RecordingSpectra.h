#pragma once
// What the time-series view keeps of a finished spectrum run over one recording: the FFT lines,
// per channel the spread of its listed raw and calibrated spectra and its stacked calibrated
// spectrum, and the stacked cross powers the analyses and the coherency plot need. A channel the
// run did not compute has empty envelopes and an empty stacked spectrum; cross powers the run
// did not form are empty.

#include <QVector>
#include <array>

#include "ChannelSlot.h"
#include "SpectralRecords.h"
#include "SpectrumEnvelope.h"

struct RecordingSpectra {
    QVector<double> frequencies;  // Hz, the lines k fs / n for k = 1 .. n/2
    std::array<SpectrumEnvelope, kChannelSlotCount> raw;
    std::array<SpectrumEnvelope, kChannelSlotCount> calibrated;
    std::array<SpectrumEnvelope, kChannelSlotCount> stackedEnvelope;
    std::array<QVector<double>, kChannelSlotCount> stacked;  // calibrated amplitudes, mean over segments
    // Stacked cross powers, E (first channel) against H (second channel).
    QVector<OneFreqCrossPower> exHy;
    QVector<OneFreqCrossPower> eyHx;
    QVector<OneFreqCrossPower> ex2Hy;
    QVector<OneFreqCrossPower> meanEHy;  // mean of the three electric spectra against Hy
    QVector<OneFreqCrossPower> hxHy;

    bool isEmpty() const { return frequencies.isEmpty(); }
    double highestFrequency() const { return frequencies.isEmpty() ? 0.0 : frequencies.last(); }
    double lowestFrequency() const { return frequencies.isEmpty() ? 0.0 : frequencies.first(); }
};
