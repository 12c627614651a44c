#include "Data_Calc_Tensor.h"

#include <QDebug>
#include <algorithm>

#include "Channels.h"
#include "FrequencyTables.h"
#include "SampleRateBands.h"
#include "SpectrumCalibration.h"
#include "Spectrix.h"
#include "TensorMath.h"
#include "TensorMatrixStack.h"
#include "Wavefile.h"

using namespace SpectrumCalibration;

namespace {

} // namespace

struct Data_Calc_Tensor::ChannelInput {
    int code = 0;
    double fs = 0.0;
    double dipoleLength = 0.0;   // > 0 for electric channels
    bool useSensor = true;
    QList<QVector<double>> segments;
    QList<OneFreqCheck> sensor;
    QList<OneFreqCheck> gain;
};

Data_Calc_Tensor::Data_Calc_Tensor(QObject *parent) : QObject(parent)
{
}

bool Data_Calc_Tensor::readChannel(const MTSampleData &d, int n, int segmentLimit,
                                   ChannelInput &input) const
{
    const bool electric = Channels::isElectric(d.channel);
    if (electric && !(d.dipoleLength > 0)) {
        qDebug().noquote() << "Data_Calc_Tensor::loadSpectra: dipole length" << d.dipoleLength
                           << "of" << d.dataFile << "is not positive";
        return false;
    }
    Wavefile reader;
    if (!reader.getTimeSeries(d.dataFile, SampleRateBands::tensorCountScale(d.sampleFrequency), d.sampleCount, n,
                              segmentLimit))
        return false;
    input.code = d.channel;
    input.fs = d.sampleFrequency;
    input.dipoleLength = electric ? double(d.dipoleLength) : 0.0;
    input.useSensor = !(electric && d.lowBand != 0);
    input.segments = reader.getTsData();
    return true;
}

bool Data_Calc_Tensor::loadTables(const MTSampleData &d, int n, ChannelInput &input) const
{
    return loadSensorTable(d.sensorFile, n, d.sampleFrequency, input.sensor)
        && loadGainTable(d.gainFile, n, d.sampleFrequency, input.gain);
}

void Data_Calc_Tensor::loadSpectra(QList<MTSampleData> descriptors, double n, int segmentLimit)
{
    std::sort(descriptors.begin(), descriptors.end(),
              [](const MTSampleData &a, const MTSampleData &b) { return a.channel < b.channel; });
    samples = descriptors;
    const int length = n >= 1.0 && n < 2147483648.0 ? int(n) : 0;
    QList<ChannelInput> inputs;
    for (const MTSampleData &d : qAsConst(samples)) {
        ChannelInput input;
        if (!readChannel(d, length, segmentLimit, input))
            break;
        if (!loadTables(d, length, input))
            return;
        inputs.append(input);
    }
    qDebug() << "first is finished";
    stackMatrices(inputs, length);
}

// Transforms the channels one segment index at a time, releasing each segment once used.
void Data_Calc_Tensor::stackMatrices(QList<ChannelInput> &inputs, int n)
{
    int segmentCount = inputs.isEmpty() ? 0 : inputs.first().segments.size();
    for (const ChannelInput &input : qAsConst(inputs))
        segmentCount = std::min(segmentCount, input.segments.size());
    TensorMatrixStack stack(inputs.size());
    Spectrix spectrix;
    for (int s = 0; s < segmentCount; ++s) {
        if (keepGoing && !keepGoing(double(s) / segmentCount)) {
            qDebug() << "Data_Calc_Tensor::loadSpectra: stopped on request before segment" << s + 1;
            matrices.clear();
            matrixCodes.clear();
            return;
        }
        QList<QList<OneFreqSpectrum>> spectra;
        for (ChannelInput &input : inputs) {
            QVector<double> samples = input.segments.takeFirst();
            if (input.dipoleLength > 0)
                samples = scaleElectric(samples, input.dipoleLength);
            const QList<OneFreqSpectrum> spectrum =
                spectrix.FastFFTTranform(spectrix.WndFunc(samples, 1, n), n, input.fs);
            spectra.append(calibrateSpectrum(spectrum, input.sensor, input.gain, input.useSensor));
        }
        stack.add(spectra);
    }
    matrices = stack.mean();
    matrixCodes.clear();
    for (const ChannelInput &input : qAsConst(inputs))
        matrixCodes.append(input.code);
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
