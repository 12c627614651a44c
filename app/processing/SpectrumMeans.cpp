#include "SpectrumMeans.h"

#include <algorithm>

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

void AmplitudeMean::add(const double *amplitudes, int count)
{
    if (added++ == 0) {
        sum = QVector<double>(amplitudes, amplitudes + count);
        return;
    }
    double *sums = sum.data();
    const int lines = std::min(sum.size(), count);
    for (int j = 0; j < lines; ++j)
        sums[j] += amplitudes[j];
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

void SpectrumMean::add(const double *frequencies, const double *amplitudes, const double *phases,
                       int count)
{
    if (added++ == 0) {
        sum.resize(count);
        for (int j = 0; j < count; ++j)
            sum[j] = OneFreqSpectrum{frequencies[j], amplitudes[j], phases[j]};
        return;
    }
    OneFreqSpectrum *sums = sum.data();
    const int lines = std::min(sum.size(), count);
    for (int j = 0; j < lines; ++j) {
        sums[j].amplitude += amplitudes[j];
        sums[j].phase += phases[j];
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
