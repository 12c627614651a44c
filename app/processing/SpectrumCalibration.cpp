#include "SpectrumCalibration.h"

#include <QDebug>
#include <algorithm>

#include "LinearInterpolation.h"
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
    QVector<double> freq, amplitude, phase;
    for (const OneFreqCheck &row : table) {
        freq.append(row.freq);
        amplitude.append(row.amplitude);
        phase.append(row.phase);
    }
    table.clear();
    LinearInterpolation amplitudeAt(freq, amplitude);
    LinearInterpolation phaseAt(freq, phase);
    if (amplitudeAt.knotCount() == 0 || n < 2 || !(fs > 0))
        return;
    table.reserve(n / 2);
    for (int k = 1; k <= n / 2; ++k) {
        const double f = k * fs / n;
        table.append(OneFreqCheck{f, amplitudeAt.at(f), phaseAt.at(f)});
    }
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
    int count = std::min(spectrum.size(), gain.size());
    if (useSensor)
        count = std::min(count, sensor.size());
    QList<OneFreqSpectrum> calibrated;
    calibrated.reserve(count);
    for (int i = 0; i < count; ++i) {
        OneFreqSpectrum line{spectrum[i].freq, spectrum[i].amplitude / gain[i].amplitude,
                             spectrum[i].phase - gain[i].phase};
        if (useSensor) {
            line.amplitude /= sensor[i].amplitude;
            line.phase -= sensor[i].phase;
        }
        calibrated.append(line);
    }
    return calibrated;
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
