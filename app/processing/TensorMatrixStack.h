#pragma once
// The segment-averaged cross-power matrices of m channels, kept as a running sum: each add() folds
// one segment (the calibrated spectra of all channels) into the sum line by line, exactly as
// summing the stored per-segment matrices in segment order would; mean() divides by the count.
// Only the upper triangle is summed; the lower one is its conjugate, which is what the products
// c_j conj(c_i) give bit for bit.

#include <QList>
#include <QVector>
#include <complex>
#include <gsl/gsl_complex.h>
#include <vector>

#include "SpectralRecords.h"
#include "TensorCrossPower.h"

class TensorMatrixStack {
public:
    // channels: m, the number of spectra every add() gets.
    explicit TensorMatrixStack(int channels);

    // Spectra of one segment, one per channel in matrix order, matched by line position. The
    // first add() fixes the lines (those of the first spectrum, up to the shortest one) and their
    // frequencies (those of the first spectrum).
    void add(const QList<QList<OneFreqSpectrum>> &spectra);
    // The same for several segments in order, from contiguous complex lines: segments[s][i] holds
    // lineCount values of channel i of segment s, line k - 1 at frequency k fs / n. The lines are
    // folded in blocks: startBatch() returns how many, and addBlock() folds one of them (each once,
    // in any order, on any thread, while the lines stay valid).
    using SegmentLines = const std::complex<double> *const *;
    int startBatch(const std::vector<SegmentLines> &segments, int lineCount, int n, double fs);
    void addBlock(int block);
    int count() const { return added; }
    // One record per line: the mean matrix over the segments added; empty before any add().
    QVector<TensorCrossPower> mean() const;

private:
    int triangleIndex(int line, int i, int j) const;
    // Fixes the lines on the first add; false (nothing added) when the channel count is wrong.
    bool begin(int channelCount, const QVector<double> &lineFrequencies);
    // Folds the values c[0 .. m-1] of line k into the sum.
    void addLine(int k, const gsl_complex *c, bool first);

    int channels;
    int triangle;                  // m (m + 1) / 2 elements per line
    QVector<double> frequencies;
    QVector<gsl_complex> sum;      // upper triangle row by row, each element's lines in a row
    int added = 0;
    // The batch being folded by addBlock().
    std::vector<SegmentLines> batch;
    int batchLines = 0;
    bool batchStartsSum = false;
};
