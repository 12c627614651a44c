#include "CalibrationLines.h"

#include <QDebug>
#include <algorithm>

#include "GslSpline.h"
#include "RecordColumn.h"

namespace {

QVector<double> fftLines(int n, double fs)
{
    QVector<double> freqs;
    freqs.reserve(n / 2);
    for (int k = 1; k <= n / 2; ++k)
        freqs.append(k * fs / n);
    return freqs;
}

}  // namespace

namespace CalibrationLines {

bool resample(QList<OneFreqCheck> &table, int n, double fs)
{
    const QVector<double> freqs = recordColumn(table, &OneFreqCheck::freq);
    const QVector<double> amplitudes = recordColumn(table, &OneFreqCheck::amplitude);
    const QVector<double> phases = recordColumn(table, &OneFreqCheck::phase);
    table.clear();
    if (n < 2 || !(fs > 0))
        return false;
    if (freqs.size() == 1) {
        for (double f : fftLines(n, fs))
            table.append({f, amplitudes.first(), phases.first()});
        return true;
    }
    GslSpline spline(gsl_interp_linear, freqs);
    if (!spline.fit(amplitudes)) {
        qDebug() << "CalibrationLines::resample: a calibration table needs rows with finite,"
                    " strictly increasing frequencies;" << freqs.size() << "rows cannot be used";
        return false;
    }
    for (double f : fftLines(n, fs))
        table.append({f, spline.at(f), 0.0});
    spline.fit(phases);
    for (OneFreqCheck &row : table)
        row.phase = spline.at(row.freq);
    return true;
}

QList<OneFreqSpectrum> remove(const QList<OneFreqSpectrum> &spectrum,
                              const QList<OneFreqCheck> &sensor, const QList<OneFreqCheck> &gain,
                              bool useSensor)
{
    int count = std::min(spectrum.size(), gain.size());
    if (useSensor)
        count = std::min(count, sensor.size());
    QList<OneFreqSpectrum> calibrated;
    calibrated.reserve(count);
    for (int i = 0; i < count; ++i) {
        OneFreqSpectrum line = spectrum[i];
        line.amplitude = line.amplitude / gain[i].amplitude;
        line.phase = line.phase - gain[i].phase;
        if (useSensor) {
            line.amplitude = line.amplitude / sensor[i].amplitude;
            line.phase = line.phase - sensor[i].phase;
        }
        calibrated.append(line);
    }
    return calibrated;
}

}  // namespace CalibrationLines
