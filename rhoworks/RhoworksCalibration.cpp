// Frequency tables, converter scale and clipping, unit conversion and calibration of spectra.

#include "Rhoworks.h"

#include <QDebug>
#include <algorithm>
#include <cmath>

#include "FrequencyTable.h"
#include "GslSpline.h"
#include "RecordColumn.h"

namespace {

constexpr double kLowBandLimitHz = 4096;

QVector<double> targetLines(int n, double fs)
{
    QVector<double> freqs;
    freqs.reserve(std::max(n / 2, 0));
    for (int k = 1; k <= n / 2; ++k)
        freqs.append(k * fs / n);
    return freqs;
}

}  // namespace

QList<double> Rhoworks::GenerateFreqList(double fmin, double fmax)
{
    return FrequencyTable::within(FrequencyTable::decadeTable(), fmin, fmax);
}

QList<double> Rhoworks::GenerateFreqList(double fmin, double fmax, int mode)
{
    QList<double> table;
    QList<double> powerLines;
    if (!FrequencyTable::modeTable(mode, table, powerLines))
        return {};
    powerLineList = powerLines;
    return FrequencyTable::within(table, fmin, fmax);
}

bool Rhoworks::findSampeFreq(double f, QVector<double> &list)
{
    return std::any_of(list.cbegin(), list.cend(),
                       [f](double e) { return std::fabs(e - f) < 1e-5; });
}

float Rhoworks::ADResolution(double fs)
{
    if (fs < kLowBandLimitHz)
        return float(2500.0 / 2147483648.0);  // 32-bit converter, 2500 mV full scale
    return float(3000.0 / 8388608.0);         // 24-bit converter, 3000 mV full scale
}

bool Rhoworks::OverflowDetermine(QVector<double> samples, double fs)
{
    const double fullScale = fs < kLowBandLimitHz ? 2500.0 : 3000.0;
    return std::any_of(samples.cbegin(), samples.cend(),
                       [fullScale](double x) { return std::fabs(x) >= fullScale; });
}

QVector<double> Rhoworks::UnitConversion(QVector<double> samples, float length)
{
    const double metres = length;
    for (double &x : samples)
        x = x * 1000 / metres;
    return samples;
}

void Rhoworks::getInterpolation(QList<OneFreqCheck> &table, int n, double fs)
{
    const QVector<double> freqs = recordColumn(table, &OneFreqCheck::freq);
    const QVector<double> amplitudes = recordColumn(table, &OneFreqCheck::amplitude);
    const QVector<double> phases = recordColumn(table, &OneFreqCheck::phase);
    table.clear();
    if (freqs.size() == 1) {
        for (double f : targetLines(n, fs))
            table.append({f, amplitudes.first(), phases.first()});
        return;
    }
    GslSpline spline(gsl_interp_linear, freqs);
    if (!spline.fit(amplitudes)) {
        qDebug() << "Rhoworks::getInterpolation: a calibration table needs rows with finite,"
                    " strictly increasing frequencies;" << freqs.size() << "rows cannot be used";
        return;
    }
    for (double f : targetLines(n, fs))
        table.append({f, spline.at(f), 0.0});
    spline.fit(phases);
    for (OneFreqCheck &row : table)
        row.phase = spline.at(row.freq);
}

QList<OneFreqSpectrum> Rhoworks::getCalSpectrum(QList<OneFreqSpectrum> spectrum,
                                                QList<OneFreqCheck> tableA,
                                                QList<OneFreqCheck> tableB, bool applyA)
{
    int lines = std::min(spectrum.size(), tableB.size());
    if (applyA)
        lines = std::min(lines, tableA.size());
    QList<OneFreqSpectrum> calibrated;
    calibrated.reserve(lines);
    for (int i = 0; i < lines; ++i) {
        OneFreqSpectrum line = spectrum[i];
        line.amplitude = line.amplitude / tableB[i].amplitude;
        line.phase = line.phase - tableB[i].phase;
        if (applyA) {
            line.amplitude = line.amplitude / tableA[i].amplitude;
            line.phase = line.phase - tableA[i].phase;
        }
        calibrated.append(line);
    }
    return calibrated;
}
