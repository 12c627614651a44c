#include "ChannelSegmentSpectrum.h"

#include <algorithm>
#include <climits>

#include "ChannelSpectraStream.h"

ChannelSegmentSpectrum::ChannelSegmentSpectrum(const ChannelSpectraJob &job, int n)
    : job(job), n(n), transform(n, job.fs)
{
    const int lineCount = std::min({n / 2, job.sensor.size(), job.gain.size()});
    for (int i = 0; i < lineCount; ++i) {
        const OneFreqCheck &g = job.gain[i], &s = job.sensor[i];
        frequencies.push_back((i + 1) * job.fs / n);
        gainAmplitude.push_back(g.amplitude);
        gainPhase.push_back(g.phase);
        sensorAmplitude.push_back(s.amplitude);
        sensorPhase.push_back(s.phase);
        factors.push_back(ChannelSpectraStream::lineFactor(g.amplitude, g.phase, s.amplitude, s.phase,
                                                           transform.densityScale()));
    }
    samples.resize(size_t(std::max(n, 0)));
    raw.resize(size_t(std::max(n / 2, 0)));
    phase.resize(raw.size());
    amplitudes.resize(size_t(lineCount));
    phases.resize(size_t(lineCount));
    values.resize(size_t(lineCount));
    calibrated.fs = job.fs;
    calibrated.frequencies = frequencies.data();
    calibrated.amplitudes = amplitudes.data();
    calibrated.phases = phases.data();
    calibrated.values = values.data();
}

bool ChannelSegmentSpectrum::open()
{
    if (job.fromFile
        && !stream.open(job.dataFile, job.countScale, job.sampleCount, n, job.segmentLimit))
        error = QStringLiteral("%1: %2").arg(job.dataFile, stream.errorString());
    return !failed();
}

int ChannelSegmentSpectrum::segmentBound() const
{
    if (job.fromFile)
        return int(std::min<qint64>(stream.segmentBound(), INT_MAX));
    return std::min(job.segmentCount, job.segments.size());
}

// The samples of segment s, electric ones converted to mV/km; null when there is none. A listed
// segment may be shorter than n (its spectrum is then empty); a streamed one never is.
const double *ChannelSegmentSpectrum::takeSamples(int s)
{
    const double *source = nullptr;
    if (job.fromFile) {
        if (failed() || !stream.next(samples.data())) {
            if (stream.failed())
                error = QStringLiteral("%1: %2").arg(job.dataFile, stream.errorString());
            return nullptr;
        }
        source = samples.data();
    } else {
        if (s >= segmentBound())
            return nullptr;
        const QVector<double> &segment = job.segments[s];
        source = segment.constData();
        if (segment.size() < n)
            return source;
    }
    if (job.dipoleLength > 0) {
        for (int i = 0; i < n; ++i)
            samples[size_t(i)] = source[i] * 1000.0 / job.dipoleLength;
        source = samples.data();
    }
    return source;
}

bool ChannelSegmentSpectrum::next(int s)
{
    const double *source = takeSamples(s);
    if (!source)
        return false;
    const bool complete = job.fromFile || job.segments[s].size() >= n;
    calibrated.count = 0;
    transformed = complete && transform.isValid();
    if (transformed)
        computeLines(source);
    return true;
}

namespace {

// Amplitudes divided by the gain, then the sensor amplitude; phases less the gain, then the sensor
// phase: the order of the record path's calibration, so the amplitudes match it bit for bit. Complex
// values as (re, im) pairs of doubles: x times the factor f. A 256-bit version is chosen at load
// time where the processor has it (the same operations, so the same numbers).
__attribute__((target_clones("avx2", "default")))
void calibrateLines(int count, const double *__restrict raw, const double *__restrict phase,
                    const double *__restrict x, const double *__restrict gainAmplitude,
                    const double *__restrict gainPhase, const double *__restrict sensorAmplitude,
                    const double *__restrict sensorPhase, const double *__restrict f,
                    double *__restrict amplitude, double *__restrict argument, double *__restrict v)
{
    for (int i = 0; i < count; ++i) {
        amplitude[i] = raw[i] / gainAmplitude[i] / sensorAmplitude[i];
        argument[i] = phase[i] - gainPhase[i] - sensorPhase[i];
        const double xr = x[2 * i], xi = x[2 * i + 1], fr = f[2 * i], fi = f[2 * i + 1];
        v[2 * i] = xr * fr - xi * fi;
        v[2 * i + 1] = xr * fi + xi * fr;
    }
}

} // namespace

void ChannelSegmentSpectrum::computeLines(const double *source)
{
    const auto *x = reinterpret_cast<const double *>(transform.lineColumns(source, raw.data(), phase.data()));
    calibrateLines(int(amplitudes.size()), raw.data(), phase.data(), x, gainAmplitude.data(),
                   gainPhase.data(), sensorAmplitude.data(), sensorPhase.data(),
                   reinterpret_cast<const double *>(factors.data()), amplitudes.data(), phases.data(),
                   reinterpret_cast<double *>(values.data()));
    calibrated.count = int(amplitudes.size());
}
