#pragma once
// The Fourier coefficients of one band of the regression estimator: one row per (segment, line)
// with a complex value per channel, and the segment each row came from (the jackknife leaves out
// whole segments, whose lines are not independent of one another).
//
// Memory is bounded: when more than maxSegments segments are held, every second held segment is
// dropped and from then on only every (twice as many)-th segment of the level is taken, so a band
// keeps an even spread over the whole recording. A band of a long fast recording thus holds a
// thinned but still very large sample (maxSegments x lines rows).

#include <complex>
#include <vector>

class BandCoefficients {
public:
    BandCoefficients(int channelCount, int maxSegments);

    // True when the band takes segment `index` of its level.
    bool wants(long long index) const { return index % stride == 0; }
    // Appends one row (values[c] for channel c) of segment `index`, taken at a line whose
    // frequency is exp(logOffset) times the band's; rows of one segment are appended one after
    // another.
    void append(long long index, const std::complex<double> *values, double logOffset = 0.0);

    int channelCount() const { return channels; }
    int rowCount() const { return int(segmentOfRow.size()); }
    std::complex<double> value(int row, int channel) const
    {
        return values[size_t(row) * size_t(channels) + size_t(channel)];
    }
    long long segmentOf(int row) const { return segmentOfRow[size_t(row)]; }
    double logOffsetOf(int row) const { return offsetOfRow[size_t(row)]; }
    int segmentCount() const { return segments; }
    long long segmentStride() const { return stride; }

private:
    void thin();

    int channels;
    int maxSegments;
    long long stride = 1;
    int segments = 0;
    std::vector<std::complex<double>> values;
    std::vector<long long> segmentOfRow;
    std::vector<double> offsetOfRow;
};
