#include "RecordingSynthesizer.h"

#include <QDebug>
#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <memory>

#include "GaussianStream.h"
#include "InverseRealFft.h"

using RecorderConventions::Channel;

namespace {

constexpr double coilCornerHz = 4.0;
// Random streams of one block: 0 and 1 are the natural field, 2 + channel the channel's noise.
constexpr std::uint64_t bxStream = 0, byStream = 1, noiseStreamBase = 2;

using Lines = std::vector<std::complex<double>>;

// Rounds to counts, holds values at the converter's full scale and stores them little-endian.
qint64 toCounts(const double *samples, int count, qint64 fullScale, std::vector<qint32> &out)
{
    qint64 clipped = 0;
    out.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        qint64 c = std::llround(samples[i]);
        if (c >= fullScale || c <= -fullScale) {
            ++clipped;
            c = std::clamp(c, -fullScale, fullScale - 1);
        }
        out[static_cast<size_t>(i)] = qToLittleEndian(static_cast<qint32>(c));
    }
    return clipped;
}

void fillNormals(GaussianStream stream, Lines &lines)
{
    for (auto &value : lines)
        value = stream.nextComplex();
}

// |line k|^2, 0 for a channel without that source.
double powerAt(const Lines &lines, size_t k)
{
    return k < lines.size() ? std::norm(lines[k]) : 0.0;
}

struct FieldPerUnitB {
    std::complex<double> bx, by;
};

// The channel's field (mV/km or nT) per nT of Bx and of By: E = Z B for the electric channels
// (Ex2 lies along Ex), the field itself for the magnetic ones.
FieldPerUnitB fieldPerUnitB(Channel channel, const ImpedanceTensor &z)
{
    switch (channel) {
    case Channel::Ex:
    case Channel::Ex2:
        return {z.xx, z.xy};
    case Channel::Ey:
        return {z.yx, z.yy};
    case Channel::Hx:
        return {1.0, 0.0};
    case Channel::Hy:
        break;
    }
    return {0.0, 1.0};
}

} // namespace

int RecordingSynthesizer::blockLength(qint64 sampleCount)
{
    int length = 2;
    while (length < maxBlockLength && length < sampleCount)
        length *= 2;
    return length;
}

double RecordingSynthesizer::fieldShape(double f)
{
    const double corner = coilCornerHz / f;
    return std::pow(f, -0.25) * std::pow(1.0 + corner * corner, 0.25);
}

RecordingSynthesizer::RecordingSynthesizer(const StationModel &stationModel,
                                           const RecordingPlan &recordingPlan)
    : model(stationModel),
      request(recordingPlan),
      sampleCount(qint64(recordingPlan.sampleRate) * recordingPlan.seconds),
      n(blockLength(sampleCount)),
      lineScale(std::sqrt(recordingPlan.sampleRate / (2.0 * n)))
{
}

bool RecordingSynthesizer::write(const QList<ChannelSetup> &channels,
                                 RecordingDescription *description)
{
    QList<ChannelPlan> plans;
    for (const ChannelSetup &setup : channels)
        plans.append(planChannel(setup));
    description->sampleCount = sampleCount;
    description->adcScale = RecorderConventions::adcScaleMilliVoltPerCount(request.sampleRate);
    normaliseLevel(plans, description);
    for (int i = 0; i < plans.size() && i < description->channels.size(); ++i)
        description->channels[i].expectedRmsMilliVolt = plans.at(i).rmsCounts * description->adcScale;
    return writeBlocks(plans, description);
}

// Counts per field unit along the channel's chain: E in mV/km becomes mV over the dipole, then
// sensor and amplifier; B in nT passes coil and amplifier; the converter divides by its scale.
Lines RecordingSynthesizer::forwardTransfer(const ChannelSetup &setup) const
{
    const int lines = n / 2 + 1;
    const double fs = request.sampleRate;
    Lines transfer = setup.gain->responseOnLines(fs, n, lines);
    double factor = 1.0 / RecorderConventions::adcScaleMilliVoltPerCount(fs);
    if (RecorderConventions::isElectric(setup.channel))
        factor *= setup.dipole / 1000.0;
    const Lines sensor = setup.sensor ? setup.sensor->responseOnLines(fs, n, lines) : Lines();
    for (int k = 0; k < lines; ++k)
        transfer[k] *= factor * (sensor.empty() ? 1.0 : sensor[k]);
    return transfer;
}

RecordingSynthesizer::ChannelPlan RecordingSynthesizer::planChannel(const ChannelSetup &setup) const
{
    ChannelPlan plan;
    plan.setup = setup;
    plan.noiseRatio = request.noiseRatio[static_cast<size_t>(setup.channel)];
    const Lines transfer = forwardTransfer(setup);
    const int lines = n / 2 + 1;
    const bool wantsBx = setup.channel != Channel::Hy;
    const bool wantsBy = setup.channel != Channel::Hx;
    if (wantsBx)
        plan.fromBx.assign(lines, 0.0);
    if (wantsBy)
        plan.fromBy.assign(lines, 0.0);
    double variance = 0.0;
    for (int k = 1; k < n / 2; ++k) {  // no DC, no Nyquist line: both must be real
        const double f = k * double(request.sampleRate) / n;
        const std::complex<double> b = transfer[k] * (fieldShape(f) * lineScale);
        const FieldPerUnitB field = fieldPerUnitB(setup.channel, model.tensor(f));
        if (wantsBx)
            plan.fromBx[k] = b * field.bx;
        if (wantsBy)
            plan.fromBy[k] = b * field.by;
        variance += 2.0 * (powerAt(plan.fromBx, k) + powerAt(plan.fromBy, k));
    }
    plan.rmsCounts = std::sqrt(variance * (1.0 + plan.noiseRatio * plan.noiseRatio));
    return plan;
}

void RecordingSynthesizer::normaliseLevel(QList<ChannelPlan> &plans,
                                          RecordingDescription *description) const
{
    double loudest = 0.0;
    for (const ChannelPlan &plan : plans)
        loudest = std::max(loudest, plan.rmsCounts * description->adcScale);
    const double level = loudest > 0.0 ? request.loudestRmsMilliVolt / loudest : 0.0;
    description->fieldLevel = level * fieldShape(1.0);
    for (ChannelPlan &plan : plans) {
        for (auto &v : plan.fromBx)
            v *= level;
        for (auto &v : plan.fromBy)
            v *= level;
        plan.rmsCounts *= level;
    }
}

void RecordingSynthesizer::synthesise(const ChannelPlan &plan, const Lines &bx, const Lines &by,
                                      qint64 block, InverseRealFft &fft) const
{
    std::complex<double> *out = fft.lines();
    const int lines = fft.lineCount();
    for (int k = 0; k < lines; ++k) {
        out[k] = (plan.fromBx.empty() ? 0.0 : plan.fromBx[k] * bx[k])
                 + (plan.fromBy.empty() ? 0.0 : plan.fromBy[k] * by[k]);
    }
    if (plan.noiseRatio <= 0.0)
        return;
    GaussianStream noise(request.seed, block, noiseStreamBase + std::uint64_t(plan.setup.channel));
    for (int k = 0; k < lines; ++k) {
        const double sigma = std::sqrt(powerAt(plan.fromBx, k) + powerAt(plan.fromBy, k));
        out[k] += plan.noiseRatio * sigma * noise.nextComplex();
    }
}

bool RecordingSynthesizer::writeBlocks(const QList<ChannelPlan> &plans,
                                       RecordingDescription *description) const
{
    std::vector<std::unique_ptr<QFile>> files;
    for (const ChannelPlan &plan : plans) {
        files.push_back(std::make_unique<QFile>(plan.setup.path));
        if (!files.back()->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            qWarning() << "RecordingSynthesizer::write: cannot write" << plan.setup.path;
            return false;
        }
    }
    const qint64 fullScale = RecorderConventions::fullScaleCounts(request.sampleRate);
    InverseRealFft fft(n);
    Lines bx(fft.lineCount()), by(fft.lineCount());
    std::vector<qint32> counts;
    description->clippedSamples = 0;
    for (qint64 block = 0; block * n < sampleCount; ++block) {
        fillNormals(GaussianStream(request.seed, block, bxStream), bx);
        fillNormals(GaussianStream(request.seed, block, byStream), by);
        const int keep = int(std::min<qint64>(n, sampleCount - block * n));
        for (int c = 0; c < plans.size(); ++c) {
            synthesise(plans.at(c), bx, by, block, fft);
            fft.run();
            description->clippedSamples += toCounts(fft.samples(), keep, fullScale, counts);
            const qint64 bytes = qint64(counts.size() * sizeof(qint32));
            if (files[c]->write(reinterpret_cast<const char *>(counts.data()), bytes) != bytes) {
                qWarning() << "RecordingSynthesizer::write: cannot write" << plans.at(c).setup.path;
                return false;
            }
        }
    }
    return true;
}
