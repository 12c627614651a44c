#pragma once
// Running sums of the E/H cross-power matrices of every line, segment by segment, in one contiguous
// run of doubles, and their mean as cross-power records: the plain stack of a recording of any
// length in the memory of one spectrum.

#include <QVector>
#include <gsl/gsl_complex.h>
#include <vector>

#include "SpectralRecords.h"

class CrossPowerSums {
public:
    // Adds e conj(e), e conj(h), h conj(e), h conj(h) of lines values of e and h; the first call
    // fixes the number of lines, later calls with fewer lines shorten it.
    void add(const gsl_complex *e, const gsl_complex *h, int lines);
    int count() const { return added; }
    // Sums divided by the count, line k - 1 at frequency k fs / n. Empty before any add.
    QVector<OneFreqCrossPower> mean(int n, double fs) const;

private:
    void addLines(const gsl_complex *e, const gsl_complex *h, int first, int end);

    std::vector<double> sums;  // 8 per line: the four complex entries
    int lineCount = 0;
    int added = 0;
};
