#include "StackedCrossPower.h"

#include <QDebug>
#include <algorithm>
#include <gsl/gsl_complex_math.h>

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

void StackedCrossPower::add(const CalibratedLines &e, const CalibratedLines &h)
{
    if (e.isEmpty() || h.isEmpty())
        return;
    if (added++ == 0) {
        fs = e.fs;
        lineCount = e.count;
        sums.assign(size_t(lineCount) * 4, 0.0);
    }
    if (!sameLines || e.fs != h.fs) {
        if (sameLines)
            qDebug() << "cross power of channels sampled at" << e.fs << "and" << h.fs << "Hz: no common line";
        sameLines = false;
        return;
    }
    lineCount = std::min({lineCount, e.count, h.count});
    addProducts(lineCount, reinterpret_cast<const double *>(e.values),
                reinterpret_cast<const double *>(h.values), sums.data());
}

QVector<OneFreqCrossPower> StackedCrossPower::mean() const
{
    QVector<OneFreqCrossPower> records(lineCount);
    const double *s = sums.data();
    for (int i = 0; i < lineCount; ++i, s += 4) {
        records[i].freq = (i + 1) * fs / n;
        if (!sameLines)
            continue;
        records[i].crossPower = {gsl_complex_rect(s[0] / added, 0.0),
                                 gsl_complex_rect(s[1] / added, s[2] / added),
                                 gsl_complex_rect(s[1] / added, -s[2] / added),
                                 gsl_complex_rect(s[3] / added, 0.0)};
    }
    return records;
}
