#pragma once
// One channel's part in a run of the spectrum driver: where its segments come from (a list held in
// memory, or the recording file read segment by segment), how its samples are converted and the
// calibration tables its spectra are divided by.

#include <QList>
#include <QString>
#include <QVector>

#include "ChannelSlot.h"
#include "SpectralRecords.h"

struct ChannelSpectraJob {
    int slot = Slot_Ex;
    QList<QVector<double>> segments;
    int segmentCount = 0;          // segments used, from the first (at most segments.size())
    // With fromFile the segments are read from dataFile instead: consecutive segments of the run's
    // length from the start, samples times countScale (mV per count), at most sampleCount samples
    // (when positive) and at most segmentLimit segments (when positive).
    bool fromFile = false;
    QString dataFile;
    double countScale = 1.0;
    double sampleCount = 0.0;
    int segmentLimit = 0;
    // The slot of the channel this one is paired with (-1: none): a segment index counts only when
    // the partner's job in the same run has that segment too.
    int partnerSlot = -1;
    double fs = 0.0;               // Hz
    double dipoleLength = 0.0;     // m; > 0 converts electric samples to mV/km first
    QList<OneFreqCheck> sensor;    // resampled onto the FFT lines
    QList<OneFreqCheck> gain;
};
