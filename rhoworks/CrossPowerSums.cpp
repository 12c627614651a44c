#include "CrossPowerSums.h"

#include <algorithm>
#include <gsl/gsl_complex_math.h>

#include "ParallelFor.h"

void CrossPowerSums::add(const gsl_complex *e, const gsl_complex *h, int lines)
{
    if (added++ == 0) {
        lineCount = lines;
        sums.assign(size_t(lines) * 8, 0.0);
    }
    lineCount = std::min(lineCount, lines);
    // Lines are summed independently: ranges of them go to the worker threads, each line's sum
    // taking its segments in the same order on any thread count.
    const int threads = ParallelFor::threadCount();
    const int ranges = threads > 1 ? std::min(lineCount, 4 * threads) : 1;
    ParallelFor::run(ranges, [&](int range) {
        addLines(e, h, int(qint64(lineCount) * range / ranges), int(qint64(lineCount) * (range + 1) / ranges));
    });
}

void CrossPowerSums::addLines(const gsl_complex *e, const gsl_complex *h, int first, int end)
{
    double *s = sums.data() + size_t(first) * 8;
    for (int i = first; i < end; ++i, s += 8) {
        const double er = GSL_REAL(e[i]), ei = GSL_IMAG(e[i]);
        const double hr = GSL_REAL(h[i]), hi = GSL_IMAG(h[i]);
        // a conj(b) = (ar br + ai bi, ai br - ar bi)
        s[0] += er * er + ei * ei;
        s[1] += ei * er - er * ei;
        s[2] += er * hr + ei * hi;
        s[3] += ei * hr - er * hi;
        s[4] += hr * er + hi * ei;
        s[5] += hi * er - hr * ei;
        s[6] += hr * hr + hi * hi;
        s[7] += hi * hr - hr * hi;
    }
}

QVector<OneFreqCrossPower> CrossPowerSums::mean(int n, double fs) const
{
    QVector<OneFreqCrossPower> records(added > 0 ? lineCount : 0);
    const double *s = sums.data();
    for (int i = 0; i < records.size(); ++i, s += 8) {
        records[i].freq = (i + 1) * fs / n;
        records[i].crossPower.resize(4);
        for (int j = 0; j < 4; ++j)
            records[i].crossPower[j] = gsl_complex_rect(s[2 * j] / added, s[2 * j + 1] / added);
    }
    return records;
}
