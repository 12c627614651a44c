#pragma once
// Whether the median spectrum of a channel carries a field at each line, decided without keeping
// the segments. The median method keeps a line when the median spectra of E and H pass the
// line-form coherency test; for a single pair of lines that coherency is 1 up to rounding whenever
// both are finite and neither is zero nor near the ends of the double range, and it fails when
// either is zero. Which of these holds for the (component-wise) median follows from a few counts
// and extremes of each part over the segments: the median's place among the negative, zero and
// positive values, and, where the median straddles two classes, the exact value from the extreme
// values next to zero. Lines this cannot settle (non-finite or extreme values) are left undecided
// for an exact computation.

#include <cstddef>
#include <gsl/gsl_complex.h>
#include <vector>

class MedianFieldTally {
public:
    enum class Field { Present, Absent, Undecided };

    explicit MedianFieldTally(int lines);
    // One segment's spectrum, lines values.
    void add(const gsl_complex *values);
    // Present: the median line is finite, nonzero and well inside the double range; Absent: it is
    // exactly zero; Undecided otherwise. Undecided when nothing was added.
    Field field(int line) const;
    // Both fields of a line pair: Absent if either is, Present if both are, else Undecided.
    static Field pair(Field e, Field h);

private:
    enum class Part { Zero, Safe, Unsafe };
    Part median(size_t part) const;

    // Per part (2 per line: real, imaginary) over the segments, one array each so that the tally
    // of a segment runs through them in step, all of doubles (counts are exact up to 2^53) so that
    // the compiler can tally two parts at a time.
    std::vector<double> negative;
    std::vector<double> zero;
    std::vector<double> largestNegative;  // closest to zero; -inf when none
    std::vector<double> smallestPositive;  // +inf when none
    std::vector<double> largestMagnitude;  // NaN once a NaN was seen
    int count = 0;
};
