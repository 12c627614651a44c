#include "ChannelSpectraStream.h"

#include <QVector>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>

#include "DensitySpectrum.h"
#include "ParallelFor.h"
#include "Wavefile.h"

namespace {

// Segments per channel read and transformed before they are handed over. With several threads:
// four, enough to keep the workers busy between hand-overs (five channels hold 10 MiB in the two
// batches), few enough that the lines are still in the shared cache when they are consumed. On one
// thread (or inside a job, where runs stay on the thread): one, so that a segment's lines are
// still in the core's own cache.
int segmentsPerBatch()
{
    return ParallelFor::threadsHere() > 1 ? 4 : 1;
}

bool isClipped(const QVector<double> &samples, double limit)
{
    return limit > 0 && std::any_of(samples.cbegin(), samples.cend(),
                                    [limit](double x) { return std::fabs(x) >= limit; });
}

} // namespace

struct FftwFree {
    void operator()(fftw_complex *memory) const { fftw_free(memory); }
};

// One segment of a channel: its samples and its coefficients X[0 .. n/2], from FFTW's allocator so
// that the transform can write them in place; the lines handed over start at X[1].
struct ChannelSpectraStream::Slot {
    QVector<double> samples;
    std::unique_ptr<fftw_complex[], FftwFree> coefficients;
    bool clipped = false;

    std::complex<double> *lines() const
    {
        return reinterpret_cast<std::complex<double> *>(coefficients.get() + 1);
    }
};

// The segments of one channel read in one go: the slots filled, and whether the file ended (or
// failed) while filling them.
struct ChannelSpectraStream::Batch {
    std::vector<Slot> segments;
    int filled = 0;
    bool ended = false;
    bool failed = false;
};

// Two batches per channel: while one is handed over, the next is read into the other.
struct ChannelSpectraStream::ChannelWork {
    StreamedChannel channel;
    std::unique_ptr<DensitySpectrum> spectrum;
    Batch batches[2];
    bool ended = false;
};

ChannelSpectraStream::ChannelSpectraStream(int n, double sampleRate, std::vector<StreamedChannel> channels)
    : length(n), fs(sampleRate)
{
    work.resize(channels.size());
    for (size_t c = 0; c < channels.size(); ++c)
        work[c].channel = std::move(channels[c]);
}

ChannelSpectraStream::~ChannelSpectraStream() = default;

qint64 ChannelSpectraStream::expectedSegments() const
{
    qint64 bound = work.empty() ? 0 : work.front().channel.stream.segmentBound();
    for (const ChannelWork &w : work)
        bound = std::min(bound, w.channel.stream.segmentBound());
    return bound;
}

std::complex<double> ChannelSpectraStream::lineFactor(double gainAmplitude, double gainPhase,
                                                      double sensorAmplitude, double sensorPhase,
                                                      double scale)
{
    return std::polar(scale / gainAmplitude / sensorAmplitude, -gainPhase - sensorPhase);
}

// Reads the next segments of one channel into one of its batches, as many as the batch holds, and
// turns each into calibrated lines.
void ChannelSpectraStream::readBatch(int channel, int set)
{
    ChannelWork &w = work[size_t(channel)];
    Batch &batch = w.batches[set];
    batch.filled = 0;
    batch.ended = batch.failed = false;
    const std::complex<double> *factors = w.channel.lineFactors.empty() ? nullptr : w.channel.lineFactors.data();
    for (Slot &slot : batch.segments) {
        if (!w.channel.stream.next(slot.samples.data())) {
            w.ended = batch.ended = true;
            batch.failed = w.channel.stream.failed();
            return;
        }
        if (w.channel.detrend)
            slot.samples = Wavefile().TrendElimination2(slot.samples);
        slot.clipped = isClipped(slot.samples, w.channel.clipLimit);
        if (!slot.clipped && factors)
            w.spectrum->transformTimes(slot.samples.constData(), factors, slot.lines());
        else if (!slot.clipped)
            w.spectrum->coefficients(slot.samples.constData(), slot.coefficients.get());
        ++batch.filled;
    }
}

bool ChannelSpectraStream::noteReadError(const std::function<bool(const ChannelWork &)> &failedIn)
{
    for (size_t c = 0; c < work.size(); ++c) {
        if (failedIn(work[c])) {
            error = work[c].channel.stream.errorString();
            failed = int(c);
            return true;
        }
    }
    return false;
}

bool ChannelSpectraStream::anyChannelHasMore()
{
    QVector<double> scratch(length);
    return std::any_of(work.begin(), work.end(), [&](ChannelWork &w) {
        return !w.ended && w.channel.stream.next(scratch.data());
    });
}

// One batch's common segments, as they are handed over.
std::vector<StreamedSegment> ChannelSpectraStream::batchSegments(int set, int common) const
{
    std::vector<StreamedSegment> segments(static_cast<size_t>(common));
    for (int s = 0; s < common; ++s) {
        StreamedSegment &segment = segments[size_t(s)];
        segment.index = delivered + s;
        segment.lines.resize(work.size());
        for (size_t c = 0; c < work.size(); ++c) {
            const Slot &slot = work[c].batches[set].segments[size_t(s)];
            segment.clipped = segment.clipped || slot.clipped;
            segment.lines[c] = slot.lines();
        }
    }
    return segments;
}

ChannelSpectraStream::Outcome ChannelSpectraStream::run(const Consumer &consume)
{
    return runBatches([&](const std::vector<StreamedSegment> &segments, std::vector<BatchJob> &jobs) {
        jobs.push_back([&consume, &segments] { return std::all_of(segments.cbegin(), segments.cend(), consume); });
        return true;
    });
}

ChannelSpectraStream::Outcome ChannelSpectraStream::runBatches(const BatchConsumer &consume)
{
    delivered = 0;
    error.clear();
    failed = -1;
    if (length < 2 || work.empty())
        return Outcome::Unusable;
    const int batchSize = segmentsPerBatch();
    for (ChannelWork &w : work) {
        w.spectrum = std::make_unique<DensitySpectrum>(length, fs);
        const size_t factors = w.channel.lineFactors.size();
        if (!w.spectrum->isValid() || (factors > 0 && factors < size_t(length / 2)))
            return Outcome::Unusable;
        for (Batch &batch : w.batches) {
            batch.segments.resize(size_t(batchSize));
            for (Slot &slot : batch.segments) {
                slot.samples.resize(length);
                slot.coefficients.reset(fftw_alloc_complex(size_t(length / 2 + 1)));
                if (!slot.coefficients)
                    return Outcome::Unusable;
            }
        }
    }
    const int channels = int(work.size());
    ParallelFor::run(channels, [&](int c) { readBatch(c, 0); });
    for (int set = 0;; set = 1 - set) {
        int common = batchSize;
        bool someEnded = false;
        for (const ChannelWork &w : work) {
            common = std::min(common, w.batches[set].filled);
            someEnded = someEnded || w.batches[set].ended;
        }
        // The consumer's jobs for the batch run while the channels' next batches are read (unless a
        // channel has ended): segment by segment first, while the segment is in the cache; with
        // several threads after the reading, whose jobs are longer, so that the consumer's fill the
        // gaps.
        const std::vector<StreamedSegment> segments = batchSegments(set, common);
        std::vector<BatchJob> jobs;
        if (common > 0 && !consume(segments, jobs))
            return Outcome::Stopped;
        const int readers = someEnded ? 0 : channels;
        const bool consumerFirst = batchSize == 1;
        std::atomic<bool> stopped{false};
        ParallelFor::run(readers + int(jobs.size()), [&](int job) {
            const int consumerJob = consumerFirst ? job : job - readers;
            const int reader = consumerFirst ? job - int(jobs.size()) : job;
            if (consumerJob >= 0 && consumerJob < int(jobs.size())) {
                if (!jobs[size_t(consumerJob)]())
                    stopped = true;
            } else {
                readBatch(reader, 1 - set);
            }
        });
        if (stopped)
            return Outcome::Stopped;
        delivered += common;
        if (noteReadError([set](const ChannelWork &w) { return w.batches[set].failed; }))
            return Outcome::ReadError;
        if (!someEnded)
            continue;
        const bool batchUneven = std::any_of(work.cbegin(), work.cend(), [&](const ChannelWork &w) {
            return w.batches[set].filled != common;
        });
        if (batchUneven || anyChannelHasMore())
            return Outcome::UnequalCounts;
        if (noteReadError([](const ChannelWork &w) { return w.channel.stream.failed(); }))
            return Outcome::ReadError;
        return Outcome::Complete;
    }
}
