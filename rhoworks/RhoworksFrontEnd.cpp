// The front end shared by the four computation methods: reading, calibration tables, and the
// calibrated spectra of every segment pair.

#include "Rhoworks.h"

#include <QDebug>
#include <cmath>
#include <utility>

#include "PairRequest.h"
#include "Spectrix.h"
#include "Trimora.h"
#include "Wavefile.h"

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

// Segments in mV, detrended when asked. The reader is emptied before detrending so each original
// segment is freed as soon as its detrended copy replaces it.
bool Rhoworks::readSegments(const QString &file, const PairRequest &request,
                            QList<QVector<double>> &segments)
{
    Wavefile reader;
    if (!reader.getTimeSeries(file, ADResolution(request.fs), request.readerValue, request.n,
                              request.segmentCount))
        return false;
    segments = reader.getTsData();
    reader = Wavefile();
    if (request.removeTrend) {
        for (QVector<double> &segment : segments)
            segment = reader.TrendElimination2(segment);
    }
    return true;
}

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

bool Rhoworks::runFrontEnd(const PairRequest &request, bool clipTest, const PairConsumer &consume)
{
    if (!validRequest(request))
        return false;
    QList<QVector<double>> eSegments;
    QList<QVector<double>> hSegments;
    if (!readSegments(request.eFile, request, eSegments)
        || !readSegments(request.hFile, request, hSegments))
        return false;
    if (eSegments.size() != hSegments.size() || eSegments.isEmpty()) {
        qDebug() << request.caller << request.eFile << "gives" << eSegments.size() << "segments,"
                 << request.hFile << "gives" << hSegments.size() << "; nothing to pair";
        return false;
    }
    CalibrationTables tables;
    if (!loadTables(request, tables))
        return false;

    Spectrix spectrix;
    const int n = request.n;
    for (int i = 0; i < eSegments.size(); ++i) {
        if (request.keepGoing && !request.keepGoing(double(i) / eSegments.size())) {
            qDebug() << request.caller << "stopped on request before segment" << i + 1 << "of"
                     << eSegments.size();
            return false;
        }
        // Take the pair out of the lists so its samples are freed once its spectra exist.
        const QVector<double> e = std::exchange(eSegments[i], QVector<double>());
        const QVector<double> h = std::exchange(hSegments[i], QVector<double>());
        if (clipTest && (OverflowDetermine(e, request.fs) || OverflowDetermine(h, request.fs)))
            continue;
        const QList<OneFreqSpectrum> eSpectrum = spectrix.FastFFTTranform(
            spectrix.WndFunc(UnitConversion(e, request.dipoleLength), 1, n), n, request.fs);
        const QList<OneFreqSpectrum> hSpectrum =
            spectrix.FastFFTTranform(spectrix.WndFunc(h, 1, n), n, request.fs);
        consume(getCalSpectrum(eSpectrum, tables.eSensor, tables.eGain, request.useESensor),
                getCalSpectrum(hSpectrum, tables.hSensor, tables.hGain, true));
    }
    return true;
}
