#include "CrossPowerSums.h"

#include <algorithm>
#include <gsl/gsl_complex_math.h>

#include "ParallelFor.h"

namespace {

// A 256-bit version is chosen at load time where the processor has it (the same operations, so the
// same numbers).
__attribute__((target_clones("avx2", "default")))
void addProducts(int count, const double *__restrict e, const double *__restrict h,
                 double *__restrict s)
{
    for (int i = 0; i < count; ++i) {
        const double er = e[2 * i], ei = e[2 * i + 1], hr = h[2 * i], hi = h[2 * i + 1];
        s[4 * i] += er * er + ei * ei;
        s[4 * i + 1] += er * hr + ei * hi;
        s[4 * i + 2] += ei * hr - er * hi;
        s[4 * i + 3] += hr * hr + hi * hi;
    }
}

} // namespace

void CrossPowerSums::add(const gsl_complex *e, const gsl_complex *h, int lines)
{
    if (added++ == 0) {
        lineCount = lines;
        sums.assign(size_t(lines) * 4, 0.0);
    }
    lineCount = std::min(lineCount, lines);
    // Lines are summed independently: ranges of them go to the worker threads, each line's sum
    // taking its segments in the same order on any thread count.
    ParallelFor::runRanges(lineCount, [&](int first, int end) { addLines(e, h, first, end); });
}

void CrossPowerSums::addLines(const gsl_complex *e, const gsl_complex *h, int first, int end)
{
    addProducts(end - first, reinterpret_cast<const double *>(e + first),
                reinterpret_cast<const double *>(h + first), sums.data() + size_t(first) * 4);
}

QVector<OneFreqCrossPower> CrossPowerSums::mean(int n, double fs) const
{
    QVector<OneFreqCrossPower> records(added > 0 ? lineCount : 0);
    const double *s = sums.data();
    for (int i = 0; i < records.size(); ++i, s += 4) {
        records[i].freq = (i + 1) * fs / n;
        records[i].crossPower = {gsl_complex_rect(s[0] / added, 0.0),
                                 gsl_complex_rect(s[1] / added, s[2] / added),
                                 gsl_complex_rect(s[1] / added, -s[2] / added),
                                 gsl_complex_rect(s[3] / added, 0.0)};
    }
    return records;
}
