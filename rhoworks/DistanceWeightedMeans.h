#pragma once
// The one-pass distance-weighted estimate of every line's complex value, the real and imaginary
// parts each on their own, over segments that arrive one at a time and may be handed over twice
// instead of being held:
//   mean      mu = sum x_k / N
//   distances d_k = |x_k - mu|, D = sum d_k, weights w_k = 1 - d_k / D (summing to N - 1)
//   estimate  sum w_k x_k / sum w_k = (sum x_k - sum d_k x_k / D) / (N - 1)
// The first round of add() calls fixes the means; after startWeighting() a second round with the
// same segments in any order gathers D and sum d_k x_k. When every value equals the mean (D = 0,
// one segment included) the mean is the estimate.

#include <QVector>
#include <QtGlobal>
#include <gsl/gsl_complex.h>
#include <vector>

class DistanceWeightedMeans {
public:
    // One segment's values of lines lines; the first call fixes the number of lines, fewer later
    // shorten it. In the second round the segments must be those of the first.
    void add(const gsl_complex *values, int lines);
    // Ends the first round: the means are fixed.
    void startWeighting();
    QVector<gsl_complex> estimates() const;
    // Segments of the first round.
    int segmentCount() const { return count; }

    // Bytes of first-round values a caller may keep to hand over again instead of reading them a
    // second time: 216 MiB, 1728 segments of 8192 lines, so that the estimate of an hour at 24 kHz
    // stays within 256 MiB. Settable for tests of the second reading.
    static qint64 keptBytes();
    static void setKeptBytes(qint64 bytes);

private:
    // Per part (re, im of each line, in line order): sum x_k, the mean, then D and sum d_k x_k.
    std::vector<double> sums, means, distanceSums, weightedByDistance;
    int lineCount = 0;
    int count = 0;
    bool weighting = false;
};
