#include "SpectrumMeans.h"

#include <algorithm>
#include <gsl/gsl_complex_math.h>

void AmplitudeMean::add(const QVector<double> &amplitudes)
{
    if (added++ == 0) {
        sum = amplitudes;
        return;
    }
    const int count = std::min(sum.size(), amplitudes.size());
    for (int j = 0; j < count; ++j)
        sum[j] += amplitudes[j];
}

QVector<double> AmplitudeMean::mean() const
{
    QVector<double> result = sum;
    for (double &value : result)
        value /= added;
    return result;
}

void SpectrumMean::add(const QList<OneFreqSpectrum> &spectrum)
{
    if (added++ == 0) {
        sum = spectrum.toVector();
        return;
    }
    const int count = std::min(sum.size(), spectrum.size());
    for (int j = 0; j < count; ++j) {
        sum[j].amplitude += spectrum[j].amplitude;
        sum[j].phase += spectrum[j].phase;
    }
}

QVector<OneFreqSpectrum> SpectrumMean::mean() const
{
    QVector<OneFreqSpectrum> result = sum;
    for (OneFreqSpectrum &line : result) {
        line.amplitude /= added;
        line.phase /= added;
    }
    return result;
}

void CrossPowerMean::add(const QVector<OneFreqCrossPower> &records)
{
    if (added++ == 0) {
        sum = records;
        return;
    }
    const int count = std::min(sum.size(), records.size());
    for (int j = 0; j < count; ++j) {
        QVector<gsl_complex> &entries = sum[j].crossPower;
        const QVector<gsl_complex> &more = records[j].crossPower;
        if (entries.size() < 4 || more.size() < 4)
            continue;
        for (int e = 0; e < 4; ++e)
            entries[e] = gsl_complex_add(entries[e], more[e]);
    }
}

QVector<OneFreqCrossPower> CrossPowerMean::mean() const
{
    QVector<OneFreqCrossPower> result = sum;
    for (OneFreqCrossPower &record : result)
        for (gsl_complex &entry : record.crossPower)
            entry = gsl_complex_div_real(entry, added);
    return result;
}
