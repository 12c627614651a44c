// Frequency tables, converter scale and clipping, unit conversion and calibration of spectra.

#include "Rhoworks.h"

#include <algorithm>
#include <cmath>

#include "CalibrationLines.h"
#include "ConverterRange.h"
#include "FrequencyTable.h"

namespace {

constexpr double kLowBandLimitHz = 4096;

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
    const double fullScale = ConverterRange::fullScaleMillivolts(fs);
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
    CalibrationLines::resample(table, n, fs);
}

QList<OneFreqSpectrum> Rhoworks::getCalSpectrum(QList<OneFreqSpectrum> spectrum,
                                                QList<OneFreqCheck> tableA,
                                                QList<OneFreqCheck> tableB, bool applyA)
{
    return CalibrationLines::remove(spectrum, tableA, tableB, applyA);
}
