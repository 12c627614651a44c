#pragma once
// The true floor of a bulk job on recordings: reading the channel files segment by segment and
// transforming every segment once with a reused plan, on one thread, with nothing kept. A
// pipeline cannot do its job faster than this, so the benchmarks report their times against it.

#include <QElapsedTimer>
#include <QStringList>
#include <QVector>

#include "DensitySpectrum.h"
#include "SegmentStream.h"

namespace TrueFloor {

// Seconds to read and transform every segment (at most segmentCount per file when positive) of
// files; segments is set to the number transformed, -1 when a file cannot be read.
inline double seconds(const QStringList &files, double countScale, int n, double fs, int segmentCount,
                      int &segments)
{
    QElapsedTimer timer;
    timer.start();
    segments = 0;
    DensitySpectrum spectrum(n, fs);
    QVector<double> samples(n);
    double checksum = 0;
    for (const QString &file : files) {
        SegmentStream stream;
        if (!stream.open(file, countScale, 0, n, segmentCount)) {
            segments = -1;
            return 0;
        }
        while (stream.next(samples.data())) {
            checksum += spectrum.transform(samples.constData())[1].real();
            ++segments;
        }
    }
    const double elapsed = timer.nsecsElapsed() * 1e-9;
    return checksum == 0.125 ? elapsed + 1e-9 : elapsed;  // keeps the transforms from being dropped
}

} // namespace TrueFloor
