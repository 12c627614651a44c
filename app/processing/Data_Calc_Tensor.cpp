#include "Data_Calc_Tensor.h"

#include <QDebug>
#include <algorithm>

#include "ChannelSpectraStream.h"
#include "Channels.h"
#include "FrequencyTables.h"
#include "SampleRateBands.h"
#include "SpectrumCalibration.h"
#include "TensorMath.h"
#include "TensorMatrixStack.h"

using namespace SpectrumCalibration;

struct Data_Calc_Tensor::ChannelInput {
    int code = 0;
    StreamedChannel channel;
};

Data_Calc_Tensor::Data_Calc_Tensor(QObject *parent) : QObject(parent)
{
}

bool Data_Calc_Tensor::openChannel(const MTSampleData &d, int n, int segmentLimit,
                                   ChannelInput &input) const
{
    const bool electric = Channels::isElectric(d.channel);
    if (electric && !(d.dipoleLength > 0)) {
        qDebug().noquote() << "Data_Calc_Tensor::loadSpectra: dipole length" << d.dipoleLength
                           << "of" << d.dataFile << "is not positive";
        return false;
    }
    if (!input.channel.stream.open(d.dataFile, SampleRateBands::tensorCountScale(d.sampleFrequency),
                                   d.sampleCount, n, segmentLimit)) {
        qDebug().noquote() << "Data_Calc_Tensor::loadSpectra:" << d.dataFile + ":"
                           << input.channel.stream.errorString();
        return false;
    }
    input.code = d.channel;
    return true;
}

// The channel's line factors: its gain table removed, and its sensor table unless it is an
// electric channel of a low-band recording; electric channels converted from mV to mV/km.
bool Data_Calc_Tensor::loadCalibration(const MTSampleData &d, int n, ChannelInput &input) const
{
    QList<OneFreqCheck> sensor, gain;
    if (!loadSensorTable(d.sensorFile, n, d.sampleFrequency, sensor)
        || !loadGainTable(d.gainFile, n, d.sampleFrequency, gain))
        return false;
    const bool electric = Channels::isElectric(d.channel);
    const bool useSensor = !(electric && d.lowBand != 0);
    const double scale = electric ? 1000.0 / double(d.dipoleLength) : 1.0;
    const int lines = std::min(gain.size(), useSensor ? sensor.size() : gain.size());
    input.channel.lineFactors.resize(size_t(lines));
    for (int k = 0; k < lines; ++k) {
        input.channel.lineFactors[size_t(k)] = ChannelSpectraStream::lineFactor(
            gain[k].amplitude, gain[k].phase, useSensor ? sensor[k].amplitude : 1.0,
            useSensor ? sensor[k].phase : 0.0, scale);
    }
    return true;
}

void Data_Calc_Tensor::loadSpectra(QList<MTSampleData> descriptors, double n, int segmentLimit)
{
    std::sort(descriptors.begin(), descriptors.end(),
              [](const MTSampleData &a, const MTSampleData &b) { return a.channel < b.channel; });
    samples = descriptors;
    const int length = n >= 1.0 && n < 2147483648.0 ? int(n) : 0;
    const double fs = samples.isEmpty() ? 0.0 : samples.first().sampleFrequency;
    int readable = samples.size();
    for (;;) {
        std::vector<ChannelInput> inputs;
        for (int c = 0; c < readable; ++c) {
            ChannelInput input;
            if (!openChannel(samples[c], length, segmentLimit, input))
                break;
            if (!loadCalibration(samples[c], length, input))
                return;
            inputs.push_back(std::move(input));
        }
        qDebug() << "first is finished";
        const int failed = stackMatrices(inputs, length, fs);
        if (failed < 0)
            return;
        // A file that fails part-way ends the reading there, as one that fails to open does.
        readable = failed;
    }
}

// Streams the channels' segments and folds each segment index into the running matrix sums; only
// a batch of segments is held. Returns the index of a channel whose file fails part-way (the
// matrices are then left alone), or -1 when the matrices are stored.
int Data_Calc_Tensor::stackMatrices(std::vector<ChannelInput> &inputs, int n, double fs)
{
    QList<int> codes;
    std::vector<StreamedChannel> channels;
    for (ChannelInput &input : inputs) {
        codes.append(input.code);
        channels.push_back(std::move(input.channel));
    }
    TensorMatrixStack stack(int(channels.size()));
    if (!channels.empty()) {
        ChannelSpectraStream stream(n, fs, std::move(channels));
        const int lines = stream.lineCount();
        const double expected = double(std::max<qint64>(1, stream.expectedSegments()));
        std::vector<TensorMatrixStack::SegmentLines> batch;
        const ChannelSpectraStream::Outcome outcome =
            stream.runBatches([&](const std::vector<StreamedSegment> &segments,
                                  std::vector<ChannelSpectraStream::BatchJob> &jobs) {
                batch.clear();
                for (const StreamedSegment &segment : segments) {
                    if (keepGoing && !keepGoing(std::min(1.0, segment.index / expected))) {
                        qDebug() << "Data_Calc_Tensor::loadSpectra: stopped on request before segment"
                                 << segment.index + 1;
                        return false;
                    }
                    batch.push_back(segment.lines.data());
                }
                const int blocks = stack.startBatch(batch, lines, n, fs);
                for (int block = 0; block < blocks; ++block)
                    jobs.push_back([&stack, block] {
                        stack.addBlock(block);
                        return true;
                    });
                return true;
            });
        if (outcome == ChannelSpectraStream::Outcome::Stopped) {
            matrices.clear();
            matrixCodes.clear();
            return -1;
        }
        if (outcome == ChannelSpectraStream::Outcome::ReadError) {
            qDebug().noquote() << "Data_Calc_Tensor::loadSpectra:" << stream.errorText();
            return stream.failedChannel();
        }
    }
    matrices = stack.mean();
    matrixCodes = codes;
    return -1;
}

bool Data_Calc_Tensor::hasImpedanceChannels() const
{
    return matrixCodes.mid(0, 4) == QList<int>{Channel_Ex, Channel_Ey, Channel_Hx, Channel_Hy};
}

QList<double> Data_Calc_Tensor::tensorFrequencies(double lower, double upper) const
{
    return FrequencyTables::within(FrequencyTables::tensorFrequencies(), lower, upper);
}

TensorCrossPower Data_Calc_Tensor::bandAverageMatrix(double f0,
                                                     const QVector<TensorCrossPower> &records,
                                                     double r) const
{
    return TensorMath::bandAverageMatrix(f0, records, r);
}

QVector<TensorImpedance> Data_Calc_Tensor::tensorImpedances(
    const QVector<TensorCrossPower> &records) const
{
    QVector<TensorImpedance> impedances;
    impedances.reserve(records.size());
    for (const TensorCrossPower &record : records)
        impedances.append(TensorMath::impedanceOf(record));
    return impedances;
}

TensorImpedance Data_Calc_Tensor::tensorImpedanceOf(const TensorCrossPower &record) const
{
    return TensorMath::impedanceOf(record);
}

Data_Calc_Tensor::BandResults Data_Calc_Tensor::bandResults(const TensorBand &band, double r) const
{
    BandResults results;
    if (!hasImpedanceChannels()) {
        qDebug() << "Data_Calc_Tensor::bandResults: the recording lacks one of Ex, Ey, Hx, Hy";
        return results;
    }
    for (double f0 : tensorFrequencies(band.lower, band.upper)) {
        const TensorCrossPower record = TensorMath::bandAverageMatrix(f0, matrices, r);
        TensorImpedance impedance;
        if (!TensorMath::solveImpedance(record, impedance))
            continue;
        results.records.append(record);
        results.impedances.append(impedance);
    }
    return results;
}
