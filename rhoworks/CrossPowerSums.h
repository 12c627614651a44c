#pragma once
// Running sums of the E/H cross-power matrices of every line, segment by segment, in one contiguous
// run of doubles, and their mean as cross-power records: the plain stack of a recording of any
// length in the memory of one spectrum, and the stacked cross powers of the spectrum view. Only
// e conj(e), e conj(h) and h conj(h) are summed: the imaginary parts of the auto powers are exactly
// zero and h conj(e) is exactly the conjugate of e conj(h), product by product, so the records are
// those of summing all four entries.

#include <QVector>
#include <gsl/gsl_complex.h>
#include <vector>

#include "RhoworksExport.h"
#include "SpectralRecords.h"

class RHOWORKS_EXPORT CrossPowerSums {
public:
    // Adds e conj(e), e conj(h), h conj(e), h conj(h) of lines values of e and h; the first call
    // fixes the number of lines, later calls with fewer lines shorten it.
    void add(const gsl_complex *e, const gsl_complex *h, int lines);
    int count() const { return added; }
    // Sums divided by the count, line k - 1 at frequency k fs / n. Empty before any add.
    QVector<OneFreqCrossPower> mean(int n, double fs) const;

private:
    void addLines(const gsl_complex *e, const gsl_complex *h, int first, int end);

    std::vector<double> sums;  // per line: e conj(e), e conj(h) (re, im), h conj(h)
    int lineCount = 0;
    int added = 0;
};
