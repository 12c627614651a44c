#include "SpectrumCalibration.h"

#include <QDebug>

#include "CalibrationLines.h"
#include "Trimora.h"

namespace {

enum class TableKind { Sensor, Gain };

bool loadTable(TableKind kind, const QString &path, int n, double fs, QList<OneFreqCheck> &table)
{
    Trimora reader;
    const bool loaded = kind == TableKind::Sensor ? reader.getSensorDataList(path)
                                                  : reader.getGainDataList(path);
    if (!loaded) {
        qDebug().noquote() << "SpectrumCalibration: cannot load the calibration table" << path;
        return false;
    }
    table = reader.getCheckedData();
    SpectrumCalibration::resampleCheckTable(table, n, fs);
    return !table.isEmpty();
}

} // namespace

namespace SpectrumCalibration {

void resampleCheckTable(QList<OneFreqCheck> &table, int n, double fs)
{
    CalibrationLines::resample(table, n, fs);
}

bool loadSensorTable(const QString &path, int n, double fs, QList<OneFreqCheck> &table)
{
    return loadTable(TableKind::Sensor, path, n, fs, table);
}

bool loadGainTable(const QString &path, int n, double fs, QList<OneFreqCheck> &table)
{
    return loadTable(TableKind::Gain, path, n, fs, table);
}

QList<OneFreqSpectrum> calibrateSpectrum(const QList<OneFreqSpectrum> &spectrum,
                                         const QList<OneFreqCheck> &sensor,
                                         const QList<OneFreqCheck> &gain, bool useSensor)
{
    return CalibrationLines::remove(spectrum, sensor, gain, useSensor);
}

QVector<double> amplitudesOf(const QList<OneFreqSpectrum> &spectrum)
{
    QVector<double> amplitudes;
    amplitudes.reserve(spectrum.size());
    for (const OneFreqSpectrum &line : spectrum)
        amplitudes.append(line.amplitude);
    return amplitudes;
}

QVector<double> scaleElectric(QVector<double> samples, double dipoleLength)
{
    for (double &value : samples)
        value = value * 1000.0 / dipoleLength;
    return samples;
}

} // namespace SpectrumCalibration
