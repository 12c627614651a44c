#include "StackedCrossPower.h"

#include <QDebug>
#include <algorithm>

void StackedCrossPower::add(const CalibratedLines &e, const CalibratedLines &h)
{
    if (e.isEmpty() || h.isEmpty())
        return;
    if (!started) {
        started = true;
        fs = e.fs;
        lineCount = e.count;
    }
    if (!sameLines || e.fs != h.fs) {
        if (sameLines)
            qDebug() << "cross power of channels sampled at" << e.fs << "and" << h.fs << "Hz: no common line";
        sameLines = false;
        return;
    }
    lineCount = std::min({lineCount, e.count, h.count});
    // Calibrated lines are complex doubles, laid out as GSL's complex numbers are.
    sums.add(reinterpret_cast<const gsl_complex *>(e.values), reinterpret_cast<const gsl_complex *>(h.values),
             lineCount);
}

QVector<OneFreqCrossPower> StackedCrossPower::mean() const
{
    if (sameLines)
        return sums.mean(n, fs);
    QVector<OneFreqCrossPower> records(lineCount);
    for (int i = 0; i < lineCount; ++i)
        records[i].freq = (i + 1) * fs / n;
    return records;
}
