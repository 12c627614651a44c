#include "SpectrumMeans.h"

#include <algorithm>
#include <QDebug>
#include <cmath>
#include <gsl/gsl_complex_math.h>

#include "Spectrix.h"

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

namespace {

// gsl_complex_polar and gsl_complex_mul(a, conj(b)) written out, operation for operation.
inline void polarParts(const OneFreqSpectrum &line, double &re, double &im)
{
    re = line.amplitude * std::cos(line.phase);
    im = line.amplitude * std::sin(line.phase);
}

inline void addTimesConjugate(gsl_complex &sum, double ar, double ai, double br, double bi)
{
    const double cr = br, ci = -bi;
    GSL_SET_COMPLEX(&sum, GSL_REAL(sum) + (ar * cr - ai * ci), GSL_IMAG(sum) + (ar * ci + ai * cr));
}

} // namespace

void CrossPowerMean::addProducts(const QList<OneFreqSpectrum> &e, const QList<OneFreqSpectrum> &h)
{
    if (added == 0 || e.size() != h.size()) {
        add(Spectrix().ComputeCrossPower(e, h));
        return;
    }
    ++added;
    const int count = std::min(sum.size(), e.size());
    OneFreqCrossPower *records = sum.data();
    for (int j = 0; j < count; ++j) {
        QVector<gsl_complex> &entries = records[j].crossPower;
        if (entries.size() < 4)
            continue;
        if (!(e[j].freq == h[j].freq)) {
            qDebug() << "频率大小不一致!";  // the mismatch report of the record path
            continue;
        }
        double er, ei, hr, hi;
        polarParts(e[j], er, ei);
        polarParts(h[j], hr, hi);
        gsl_complex *entry = entries.data();
        addTimesConjugate(entry[0], er, ei, er, ei);
        addTimesConjugate(entry[1], er, ei, hr, hi);
        addTimesConjugate(entry[2], hr, hi, er, ei);
        addTimesConjugate(entry[3], hr, hi, hr, hi);
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
