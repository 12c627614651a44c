#pragma once
// Running mean of per-segment cross-power vectors: the first vector added is copied, every later
// one is added entry by entry, and mean() divides by the number added. Holding only the running
// sum lets a recording of thousands of segments be stacked in the memory of one vector.

#include <QVector>

#include "SpectralRecords.h"

class CrossPowerStack {
public:
    // Adds one segment's records; lines beyond the shortest vector added so far are dropped, and a
    // line missing its four entries in any segment stays without entries.
    void add(const QVector<OneFreqCrossPower> &records);
    int count() const;
    // Sum divided by the count; frequencies are those of the first vector. Empty before any add.
    QVector<OneFreqCrossPower> mean() const;

private:
    QVector<OneFreqCrossPower> sum;
    int added = 0;
};
