#pragma once
// Segment-averaged cross powers of two channels: for every segment both channels have, the matrix
// e conj(e), e conj(h), h conj(e), h conj(h) of every line is added to running sums (CrossPowerSums),
// and the mean comes out as cross-power records at the electric channel's frequencies. Channels of
// different sampling frequencies have no common line: their records keep the frequencies and no
// matrix.

#include <QVector>

#include "CalibratedLines.h"
#include "CrossPowerSums.h"
#include "SpectralRecords.h"

class StackedCrossPower {
public:
    // n: the segment length the lines come from. Adds nothing when either spectrum is empty.
    explicit StackedCrossPower(int n = 0) : n(n) {}
    void add(const CalibratedLines &e, const CalibratedLines &h);
    QVector<OneFreqCrossPower> mean() const;

private:
    int n;
    double fs = 0.0;
    bool started = false;
    bool sameLines = true;
    int lineCount = 0;
    CrossPowerSums sums;
};
