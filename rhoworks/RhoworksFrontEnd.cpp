// The front end shared by the four computation methods: reading, calibration tables, and the
// calibrated spectra of every segment pair.

#include "Rhoworks.h"

#include <QDebug>
#include <algorithm>
#include <cmath>
#include <complex>
#include <utility>
#include <vector>

#include "ChannelSpectraStream.h"
#include "ConverterRange.h"
#include "LineImpedances.h"
#include "PairRequest.h"
#include "Trimora.h"

namespace {

bool validRequest(const PairRequest &request)
{
    if (!(request.fs > 0) || !std::isfinite(request.fs)) {
        qDebug() << request.caller << "sampling frequency" << request.fs << "Hz is not positive;"
                 << request.eFile << request.hFile << "not processed";
        return false;
    }
    if (request.dipoleLength == 0 || !std::isfinite(request.dipoleLength)) {
        qDebug() << request.caller << "dipole length" << request.dipoleLength << "m cannot convert"
                 << request.eFile << "to mV/km";
        return false;
    }
    return true;
}

}  // namespace

bool Rhoworks::loadTable(const QString &file, bool sensor, const PairRequest &request,
                         QList<OneFreqCheck> &table)
{
    Trimora reader;
    const bool loaded = sensor ? reader.getSensorDataList(file) : reader.getGainDataList(file);
    if (!loaded)
        return false;
    table = reader.getCheckedData();
    getInterpolation(table, request.n, request.fs);
    if (table.size() != request.n / 2) {
        qDebug() << request.caller << "calibration table" << file << "cannot be resampled";
        return false;
    }
    return true;
}

bool Rhoworks::loadTables(const PairRequest &request, CalibrationTables &tables)
{
    return loadTable(request.eSensorFile, true, request, tables.eSensor)
        && loadTable(request.hSensorFile, true, request, tables.hSensor)
        && loadTable(request.eGainFile, false, request, tables.eGain)
        && loadTable(request.hGainFile, false, request, tables.hGain);
}

namespace {

// Line factors removing the gain table (and the sensor table when useSensor) from a channel's
// spectrum, times scale.
std::vector<std::complex<double>> calibrationFactors(const QList<OneFreqCheck> &sensor,
                                                     const QList<OneFreqCheck> &gain,
                                                     bool useSensor, double scale)
{
    std::vector<std::complex<double>> factors(size_t(gain.size()));
    for (int k = 0; k < gain.size(); ++k) {
        factors[size_t(k)] = ChannelSpectraStream::lineFactor(
            gain[k].amplitude, gain[k].phase, useSensor ? sensor[k].amplitude : 1.0,
            useSensor ? sensor[k].phase : 0.0, scale);
    }
    return factors;
}

bool openChannel(const QString &file, const PairRequest &request, float countScale,
                 StreamedChannel &channel)
{
    if (channel.stream.open(file, countScale, request.readerValue, request.n,
                            request.segmentCount))
        return true;
    qDebug().noquote() << request.caller << file + ":" << channel.stream.errorString();
    return false;
}

// True when the pair streamed to its end with at least one segment; otherwise says why not.
bool streamedWhole(const PairRequest &request, const ChannelSpectraStream &stream,
                   ChannelSpectraStream::Outcome outcome)
{
    using Outcome = ChannelSpectraStream::Outcome;
    switch (outcome) {
    case Outcome::Complete:
        if (stream.segmentsDelivered() > 0)
            return true;
        qDebug() << request.caller << request.eFile << request.hFile << "hold no whole segment";
        return false;
    case Outcome::UnequalCounts:
        qDebug() << request.caller << request.eFile << "and" << request.hFile
                 << "hold different numbers of segments; nothing to pair";
        return false;
    case Outcome::ReadError:
        qDebug().noquote() << request.caller << "reading" << request.eFile << request.hFile
                           << "failed:" << stream.errorText();
        return false;
    default:
        return false;
    }
}

}  // namespace

// The segments stream from both files; each pair's calibrated spectra are made and handed to
// consume before the next pair is read, so memory does not grow with the recording. The electric
// unit conversion (mV to mV/km) is linear and is applied to the spectrum with the calibration.
bool Rhoworks::runFrontEnd(const PairRequest &request, bool clipTest, const PairConsumer &consume,
                           const PairStart &start, qint64 skipSegments)
{
    return streamPairs(request, clipTest, nullptr, consume, start, skipSegments);
}

// The same streams with the transform lines as they are: the two channels' calibrations meet in
// the quotient E / H, where one factor per line applies both.
bool Rhoworks::runImpedanceFrontEnd(const PairRequest &request, const ImpedanceConsumer &consume,
                                    const PairStart &start, qint64 skipSegments)
{
    std::vector<std::complex<double>> factors;
    return streamPairs(request, false, &factors, [&](const gsl_complex *e, const gsl_complex *h, int lines) {
        consume(TransformPair{e, h, reinterpret_cast<const gsl_complex *>(factors.data()), lines});
    }, start, skipSegments);
}

bool Rhoworks::streamPairs(const PairRequest &request, bool clipTest,
                           std::vector<std::complex<double>> *impedanceFactors,
                           const PairConsumer &consume, const PairStart &start, qint64 skipSegments)
{
    if (!validRequest(request))
        return false;
    std::vector<StreamedChannel> channels(2);
    // The converter's scale is the same for both channels and cancels in E / H: the impedances are
    // made from the counts as read.
    const float countScale = impedanceFactors ? 1.0f : ADResolution(request.fs);
    if (!openChannel(request.eFile, request, countScale, channels[0])
        || !openChannel(request.hFile, request, countScale, channels[1]))
        return false;
    for (StreamedChannel &channel : channels) {
        if (!channel.stream.skip(skipSegments)) {
            qDebug() << request.caller << request.eFile << request.hFile << "end before segment"
                     << skipSegments + 1 << "on the second reading";
            return false;
        }
    }
    CalibrationTables tables;
    if (!loadTables(request, tables))
        return false;
    const double millivoltsPerKm = 1000 / double(request.dipoleLength);
    std::vector<std::complex<double>> eFactors = calibrationFactors(tables.eSensor, tables.eGain,
                                                                    request.useESensor, millivoltsPerKm);
    std::vector<std::complex<double>> hFactors = calibrationFactors(tables.hSensor, tables.hGain, true, 1.0);
    if (impedanceFactors) {
        impedanceFactors->resize(eFactors.size());
        for (size_t k = 0; k < eFactors.size(); ++k)
            (*impedanceFactors)[k] = eFactors[k] / hFactors[k];
    } else {
        channels[0].lineFactors = std::move(eFactors);
        channels[1].lineFactors = std::move(hFactors);
    }
    for (StreamedChannel &channel : channels) {
        channel.clipLimit = clipTest ? ConverterRange::fullScaleMillivolts(request.fs) : 0.0;
        channel.detrend = request.removeTrend;
    }
    ChannelSpectraStream stream(request.n, request.fs, std::move(channels));
    const int lines = stream.lineCount();
    const double expected = double(std::max<qint64>(1, stream.expectedSegments()));
    if (start)
        start(lines, stream.expectedSegments());
    const ChannelSpectraStream::Outcome outcome = stream.run([&](const StreamedSegment &pair) {
        if (request.keepGoing && !request.keepGoing(std::min(1.0, pair.index / expected))) {
            qDebug() << request.caller << "stopped on request before segment" << pair.index + 1
                     << "of" << expected;
            return false;
        }
        if (!pair.clipped)
            consume(reinterpret_cast<const gsl_complex *>(pair.lines[0]),
                    reinterpret_cast<const gsl_complex *>(pair.lines[1]), lines);
        return true;
    });
    return streamedWhole(request, stream, outcome);
}
