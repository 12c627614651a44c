#pragma once
// What the spectrum driver keeps of one channel after a run.

#include <QList>
#include <QVector>

#include "SpectralRecords.h"

struct ChannelSpectraSet {
    // Amplitude spectra of the listed segments (every segment of a run of moderate size; on a long
    // run every k-th segment, see ChannelSpectraRun), raw and calibrated.
    QList<QVector<double>> rawAmplitudes;
    QList<QVector<double>> calibratedAmplitudes;
    // Calibrated spectrum and amplitudes averaged over all segments of the run.
    QVector<OneFreqSpectrum> meanSpectrum;
    QVector<double> stackedAmplitudes;
};
