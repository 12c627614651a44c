// Cost of the per-call FFTW planning in Spectrix::FastFFTTranform: the time per segment of
// FastFFTTranform (plan created and destroyed per call, lines built) against one FFTW_ESTIMATE plan of
// the same size created once and executed per segment, and against a fresh plan per segment without
// building lines. Prints times per segment and their ratios.

#include "RealFftPlan.h"
#include "Spectrix.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

const int kLength = 16384;
const double kFs = 24000;
const int kSegments = 16;
const int kRounds = 200;  // kRounds * kSegments transforms per measurement

QVector<QVector<double>> randomSegments()
{
    QRandomGenerator random(20240611);
    QVector<QVector<double>> segments(kSegments, QVector<double>(kLength));
    for (QVector<double> &segment : segments)
        for (double &v : segment)
            v = random.generateDouble() * 2 - 1;
    return segments;
}

// Microseconds per segment of transform(segment), run over every segment kRounds times; the sum of the
// returned values is kept in checksum so the work cannot be skipped.
double microsecondsPerSegment(const QVector<QVector<double>> &segments,
                              const std::function<double(const QVector<double> &)> &transform, double &checksum)
{
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < kRounds; ++round)
        for (const QVector<double> &segment : segments)
            checksum += transform(segment);
    return timer.nsecsElapsed() / 1000.0 / (kRounds * kSegments);
}

double copyAndExecute(RealFftPlan &fft, const QVector<double> &segment)
{
    std::copy(segment.cbegin(), segment.cend(), fft.input());
    fft.execute();
    return fft.output()[1][0];
}

} // namespace

int main()
{
    QTextStream out(stdout);
    const QVector<QVector<double>> segments = randomSegments();
    double checksum = 0;

    Spectrix spectrix;
    auto spectrixCall = [&spectrix](const QVector<double> &segment) {
        return spectrix.FastFFTTranform(segment, kLength, kFs).constFirst().amplitude;
    };
    RealFftPlan reused(kLength);
    auto reusedPlan = [&reused](const QVector<double> &segment) { return copyAndExecute(reused, segment); };
    auto freshPlan = [](const QVector<double> &segment) {
        RealFftPlan fft(kLength);
        return copyAndExecute(fft, segment);
    };

    microsecondsPerSegment(segments, spectrixCall, checksum);  // warm caches and FFTW's wisdom-free planner
    const double tSpectrix = microsecondsPerSegment(segments, spectrixCall, checksum);
    const double tReused = microsecondsPerSegment(segments, reusedPlan, checksum);
    const double tFresh = microsecondsPerSegment(segments, freshPlan, checksum);

    out << "segment length " << kLength << ", " << kRounds * kSegments << " segments per measurement\n";
    out << "FastFFTTranform (plan per call, lines built): " << tSpectrix << " us/segment\n";
    out << "fresh plan per segment (copy + execute):      " << tFresh << " us/segment\n";
    out << "reused plan (copy + execute):                 " << tReused << " us/segment\n";
    out << "ratio FastFFTTranform / reused plan: " << tSpectrix / tReused << "\n";
    out << "ratio fresh plan / reused plan:      " << tFresh / tReused << "\n";
    out << "(checksum " << checksum << ")\n";
    return 0;
}
