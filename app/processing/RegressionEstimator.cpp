#include "RegressionEstimator.h"

#include <algorithm>
#include <memory>

#include "ChannelCalibration.h"
#include "DecimationCascade.h"
#include "ParallelFor.h"
#include "RegressionCollector.h"
#include "SampleSourceFile.h"

namespace RegressionEstimator {

namespace {

constexpr int kChunk = 1 << 16;

QList<RegressionChannel> allChannels(const RegressionRequest &request)
{
    return request.outputs + request.inputs + request.references;
}

QString validationFailure(const RegressionRequest &request)
{
    if (!(request.fs > 0))
        return QStringLiteral("采样率 %1 Hz 不是正数").arg(request.fs);
    if (request.outputs.isEmpty() || request.inputs.isEmpty() || request.inputs.size() > 2)
        return QStringLiteral("稳健回归需要一个电场通道和一到两个磁场通道");
    if (!request.references.isEmpty() && request.references.size() != request.inputs.size())
        return QStringLiteral("远参考站的磁场通道数须与本测点相同");
    return {};
}

// Samples in a file: exact for binary recordings, counted for text ones.
long long samplesIn(const QString &file, QString &failure)
{
    QString error;
    std::unique_ptr<SampleSource> source = SampleSourceFile::open(file, error);
    if (!source) {
        failure = QStringLiteral("时间序列文件 %1 无法读取（%2）").arg(file, error);
        return -1;
    }
    if (!SampleSourceFile::isTextRecording(file))
        return source->remainingBound();
    std::vector<double> scratch(kChunk);
    long long count = 0;
    for (qint64 got; (got = source->read(scratch.data(), kChunk)) > 0;)
        count += got;
    if (source->read(scratch.data(), 1) < 0) {
        failure = QStringLiteral("时间序列文件 %1 无法读取（%2）").arg(file, source->errorString());
        return -1;
    }
    return count;
}

struct Stream {
    std::unique_ptr<SampleSource> source;
    double factor = 1;
    std::vector<double> buffer;
};

bool openStreams(const QList<RegressionChannel> &channels, std::vector<Stream> &streams, QString &failure)
{
    for (const RegressionChannel &channel : channels) {
        QString error;
        Stream stream;
        stream.source = SampleSourceFile::open(channel.dataFile, error);
        if (!stream.source) {
            failure = QStringLiteral("时间序列文件 %1 无法读取（%2）").arg(channel.dataFile, error);
            return false;
        }
        stream.factor = channel.countScale * channel.unitFactor;
        stream.buffer.resize(kChunk);
        streams.push_back(std::move(stream));
    }
    return true;
}

// Line factors [channel][level]; false, with failure set, when a table cannot be read or used.
bool calibrations(const QList<RegressionChannel> &channels, const RegressionBandPlan &plan,
                  const RegressionBandSettings &bands,
                  std::vector<std::vector<std::vector<std::complex<double>>>> &factors, QString &failure)
{
    for (const RegressionChannel &channel : channels) {
        ChannelCalibration calibration;
        if (!calibration.load(channel, failure))
            return false;
        factors.emplace_back();
        for (int level = 0; level < plan.levelCount(); ++level) {
            factors.back().push_back(calibration.lineFactors(bands.segmentLength, plan.levelRate(level),
                                                             bands.prewhiten));
            if (factors.back().back().empty()) {
                failure = QStringLiteral("%1 的标定表无法重采样").arg(channel.dataFile);
                return false;
            }
        }
    }
    return true;
}

// Streams `total` samples of every channel through the cascade.
bool stream(std::vector<Stream> &streams, long long total, DecimationCascade &cascade,
            const RegressionRequest &request, QString &failure)
{
    std::vector<const double *> pointers(streams.size());
    for (long long done = 0; done < total;) {
        const int wanted = int(std::min<long long>(kChunk, total - done));
        for (size_t c = 0; c < streams.size(); ++c) {
            if (streams[c].source->read(streams[c].buffer.data(), wanted) != wanted) {
                failure = QStringLiteral("读取时间序列文件时文件提前结束或出错：%1")
                              .arg(streams[c].source->errorString());
                return false;
            }
            for (int i = 0; i < wanted; ++i)
                streams[c].buffer[size_t(i)] *= streams[c].factor;
            pointers[c] = streams[c].buffer.data();
        }
        cascade.push(pointers, wanted);
        done += wanted;
        if (request.progress && !request.progress(double(done) / total)) {
            failure = QStringLiteral("计算已取消");
            return false;
        }
    }
    return true;
}

std::vector<int> indexRange(int first, int count)
{
    std::vector<int> indexes;
    for (int i = 0; i < count; ++i)
        indexes.push_back(first + i);
    return indexes;
}

void fitBands(const RegressionRequest &request, const RegressionBandPlan &plan,
              const RegressionCollector &collector, QVector<RegressionEstimate> &estimates)
{
    const int outputs = request.outputs.size();
    const std::vector<int> inputs = indexRange(outputs, request.inputs.size());
    const std::vector<int> references = indexRange(outputs + request.inputs.size(), request.references.size());
    // The bands are independent: each is fitted on a thread of its own into its own place, and
    // the fitted ones are kept in band order, so the result does not depend on the threads.
    std::vector<RegressionEstimate> fitted(plan.bands().size());
    ParallelFor::run(int(fitted.size()), [&](int b) {
        RegressionEstimate &estimate = fitted[size_t(b)];
        estimate.freq = plan.bands()[size_t(b)].f0;
        estimate.level = plan.bands()[size_t(b)].level;
        for (int o = 0; o < outputs; ++o)
            estimate.fits.append(RobustRegression::fit(collector.band(b), o, inputs, references,
                                                       request.robust));
    });
    for (const RegressionEstimate &estimate : fitted)
        if (std::all_of(estimate.fits.begin(), estimate.fits.end(),
                        [](const RegressionFit &fit) { return fit.valid; }))
            estimates.append(estimate);
    std::sort(estimates.begin(), estimates.end(),
              [](const RegressionEstimate &a, const RegressionEstimate &b) { return a.freq < b.freq; });
}

}  // namespace

long long usableSamples(const RegressionRequest &request, QString &failure)
{
    long long samples = request.sampleLimit > 0 ? request.sampleLimit : -1;
    for (const RegressionChannel &channel : allChannels(request)) {
        const long long count = samplesIn(channel.dataFile, failure);
        if (count < 0)
            return -1;
        samples = samples < 0 ? count : std::min(samples, count);
    }
    return std::max<long long>(samples, 0);
}

bool run(const RegressionRequest &request, QVector<RegressionEstimate> &estimates, QString &failure)
{
    estimates.clear();
    failure = validationFailure(request);
    if (!failure.isEmpty())
        return false;
    RegressionBandSettings settings = request.bands;
    settings.fs = request.fs;
    settings.samples = usableSamples(request, failure);
    if (settings.samples < 0)
        return false;
    const RegressionBandPlan plan(settings);
    if (plan.levelCount() == 0 || plan.bands().empty()) {
        failure = QStringLiteral("%1 个采样点不足以分成 %2 个 %3 采样点的分段")
                      .arg(settings.samples).arg(settings.minSegments).arg(settings.segmentLength);
        return false;
    }
    const QList<RegressionChannel> channels = allChannels(request);
    std::vector<std::vector<std::vector<std::complex<double>>>> factors;
    std::vector<Stream> streams;
    if (!calibrations(channels, plan, settings, factors, failure) || !openStreams(channels, streams, failure))
        return false;
    RegressionCollector collector(plan, std::move(factors), request.outputs.size(), settings.segmentLength,
                                  request.maxRowsPerBand);
    DecimationCascade cascade(channels.size(), plan.levelCount(), settings.segmentLength, settings.prewhiten,
                              [&collector](int level, long long index, const std::vector<const double *> &c) {
                                  collector.consume(level, index, c);
                              });
    if (!collector.isValid()) {
        failure = QStringLiteral("无法建立 %1 个采样点的 FFT").arg(settings.segmentLength);
        return false;
    }
    if (!stream(streams, settings.samples, cascade, request, failure))
        return false;
    fitBands(request, plan, collector, estimates);
    if (estimates.isEmpty())
        failure = QStringLiteral("没有频点能够拟合（各通道可能无信号或完全相同）");
    return !estimates.isEmpty();
}

}  // namespace RegressionEstimator
