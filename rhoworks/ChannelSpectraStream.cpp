#include "ChannelSpectraStream.h"

#include <QVector>
#include <algorithm>
#include <cmath>
#include <memory>

#include "DensitySpectrum.h"
#include "ParallelFor.h"
#include "Wavefile.h"

namespace {

// Segments per channel read and transformed before they are handed over. On several threads:
// enough to keep the workers busy between hand-overs, few enough that a batch of five channels stays
// below 20 MiB. On one thread: one, so that a segment's lines are still in the core's cache when
// they are consumed.
int batchSegments()
{
    return ParallelFor::threadCount() > 1 ? 16 : 1;
}

bool isClipped(const QVector<double> &samples, double limit)
{
    return limit > 0 && std::any_of(samples.cbegin(), samples.cend(),
                                    [limit](double x) { return std::fabs(x) >= limit; });
}

} // namespace

struct ChannelSpectraStream::Slot {
    QVector<double> samples;
    std::vector<std::complex<double>> lines;
    bool clipped = false;
};

struct ChannelSpectraStream::ChannelWork {
    StreamedChannel channel;
    std::unique_ptr<DensitySpectrum> spectrum;
    std::vector<Slot> batch;
    int filled = 0;
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

// Reads up to wanted segments of one channel into its batch and turns each into calibrated lines.
void ChannelSpectraStream::readBatch(int channel, int wanted)
{
    ChannelWork &w = work[size_t(channel)];
    w.filled = 0;
    const std::complex<double> *factors = w.channel.lineFactors.data();
    for (int b = 0; b < wanted; ++b) {
        Slot &slot = w.batch[size_t(b)];
        if (!w.channel.stream.next(slot.samples.data())) {
            w.ended = true;
            return;
        }
        if (w.channel.detrend)
            slot.samples = Wavefile().TrendElimination2(slot.samples);
        slot.clipped = isClipped(slot.samples, w.channel.clipLimit);
        if (!slot.clipped)
            w.spectrum->transformTimes(slot.samples.constData(), factors, slot.lines.data());
        w.filled = b + 1;
    }
}

bool ChannelSpectraStream::noteReadError()
{
    for (size_t c = 0; c < work.size(); ++c) {
        if (work[c].channel.stream.failed()) {
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

ChannelSpectraStream::Outcome ChannelSpectraStream::run(
    const std::function<bool(const StreamedSegment &segment)> &consume)
{
    delivered = 0;
    error.clear();
    failed = -1;
    if (length < 2 || work.empty())
        return Outcome::Unusable;
    const int batch = batchSegments();
    for (ChannelWork &w : work) {
        w.spectrum = std::make_unique<DensitySpectrum>(length, fs);
        if (!w.spectrum->isValid() || int(w.channel.lineFactors.size()) < length / 2)
            return Outcome::Unusable;
        w.batch.resize(size_t(batch));
        for (Slot &slot : w.batch) {
            slot.samples.resize(length);
            slot.lines.resize(size_t(length / 2));
        }
    }
    StreamedSegment segment;
    segment.lines.resize(work.size());
    for (;;) {
        ParallelFor::run(int(work.size()), [&](int c) { readBatch(c, batch); });
        int common = batch;
        for (const ChannelWork &w : work)
            common = std::min(common, w.filled);
        for (int s = 0; s < common; ++s) {
            segment.index = delivered;
            segment.clipped = false;
            for (size_t c = 0; c < work.size(); ++c) {
                const Slot &slot = work[c].batch[size_t(s)];
                segment.clipped = segment.clipped || slot.clipped;
                segment.lines[c] = slot.lines.data();
            }
            if (!consume(segment))
                return Outcome::Stopped;
            ++delivered;
        }
        if (noteReadError())
            return Outcome::ReadError;
        const bool someEnded = std::any_of(work.cbegin(), work.cend(),
                                           [](const ChannelWork &w) { return w.ended; });
        if (!someEnded)
            continue;
        const bool batchUneven = std::any_of(work.cbegin(), work.cend(),
                                             [common](const ChannelWork &w) { return w.filled != common; });
        if (batchUneven || anyChannelHasMore())
            return Outcome::UnequalCounts;
        if (noteReadError())
            return Outcome::ReadError;
        return Outcome::Complete;
    }
}
