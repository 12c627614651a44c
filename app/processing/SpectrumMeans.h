#pragma once
// Means over segments kept as running sums: each add() folds one segment's vector into the sum,
// in segment order, exactly as summing a stored list of all segments would, so a long recording
// never needs its per-segment spectra held at once. mean() divides the sums by the count.
// Positions beyond the first vector's length are not kept; shorter later vectors add what they have.

#include <QList>
#include <QVector>

#include "SpectralRecords.h"

// Mean of amplitude vectors, position by position.
class AmplitudeMean {
public:
    void add(const QVector<double> &amplitudes);
    // The same for count values at amplitudes (count 0: a segment without a spectrum).
    void add(const double *amplitudes, int count);
    int count() const { return added; }
    QVector<double> mean() const;

private:
    QVector<double> sum;
    int added = 0;
};

// Mean of spectra: the first spectrum's frequencies, mean amplitude and mean phase (phases
// averaged as numbers, without unwrapping).
class SpectrumMean {
public:
    void add(const QList<OneFreqSpectrum> &spectrum);
    // The same for a spectrum kept as columns of count lines.
    void add(const double *frequencies, const double *amplitudes, const double *phases, int count);
    int count() const { return added; }
    QVector<OneFreqSpectrum> mean() const;

private:
    QVector<OneFreqSpectrum> sum;
    int added = 0;
};
