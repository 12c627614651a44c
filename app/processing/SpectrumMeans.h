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
    int count() const { return added; }
    QVector<OneFreqSpectrum> mean() const;

private:
    QVector<OneFreqSpectrum> sum;
    int added = 0;
};

// Mean of cross-power vectors: the first vector's frequencies, every complex entry summed line by
// line and divided by the count. A line that lacks its four entries (a frequency mismatch) in
// either vector is not summed.
class CrossPowerMean {
public:
    void add(const QVector<OneFreqCrossPower> &records);
    // add(Spectrix::ComputeCrossPower(e, h)) without building the records: the products of the
    // lines are summed in place, in the same order and rounding.
    void addProducts(const QList<OneFreqSpectrum> &e, const QList<OneFreqSpectrum> &h);
    int count() const { return added; }
    QVector<OneFreqCrossPower> mean() const;

private:
    QVector<OneFreqCrossPower> sum;
    int added = 0;
};
