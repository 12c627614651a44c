#include "Spectrix.h"

#include "ImpedanceFormulas.h"
#include "ParzenKernel.h"
#include "RealFftPlan.h"
#include "SpectralMath.h"

#include <QDebug>
#include <gsl/gsl_complex_math.h>

#include <algorithm>
#include <cmath>

using namespace SpectralMath;

namespace {

// The four entries of a record, NaN in place of a matrix the record lacks.
QVector<gsl_complex> fourEntries(const OneFreqCrossPower &record)
{
    return record.crossPower.size() >= 4 ? record.crossPower : QVector<gsl_complex>(4, nanComplex());
}

} // namespace

QVector<double> Spectrix::WndFunc(QVector<double> samples, int type, int n)
{
    if (!isTaperType(type))
        return samples;
    // Positions at or beyond n lie outside the window and pass through unchanged.
    const int end = std::min(samples.size(), n);
    for (int i = 0; i < end; ++i)
        samples[i] *= taperWeight(type, std::cos(i * kPi / n));
    return samples;
}

QList<OneFreqSpectrum> Spectrix::FastFFTTranform(QVector<double> samples, int n, double fs)
{
    lastSpectrum.clear();
    if (n < 1 || samples.size() < n) {
        qDebug() << "Spectrix::FastFFTTranform: cannot transform" << samples.size() << "samples with length" << n;
        return lastSpectrum;
    }
    RealFftPlan fft(n);
    if (!fft.isValid()) {
        qDebug() << "Spectrix::FastFFTTranform: FFTW cannot plan a transform of length" << n;
        return lastSpectrum;
    }
    std::copy(samples.cbegin(), samples.cbegin() + n, fft.input());
    fft.execute();
    const double scale = std::sqrt(2 / (n * fs));
    lastSpectrum.reserve(n / 2);
    for (int k = 1; k <= n / 2; ++k)
        lastSpectrum.append(spectralLine(fft.output()[k][0], fft.output()[k][1], k, n, fs, scale));
    return lastSpectrum;
}

QVector<OneFreqCrossPower> Spectrix::ComputeCrossPower(QList<OneFreqSpectrum> e, QList<OneFreqSpectrum> h)
{
    return ComputeCrossPower(e.toVector(), h.toVector());
}

QVector<OneFreqCrossPower> Spectrix::ComputeCrossPower(QVector<OneFreqSpectrum> e, QVector<OneFreqSpectrum> h)
{
    QVector<OneFreqCrossPower> records;
    if (e.size() != h.size())
        return records;
    records.reserve(e.size());
    for (int i = 0; i < e.size(); ++i)
        records.append({e.at(i).freq, ComputeOneFreqCrossPower(e.at(i), h.at(i))});
    return records;
}

QVector<gsl_complex> Spectrix::ComputeOneFreqCrossPower(OneFreqSpectrum e, OneFreqSpectrum h)
{
    if (!(e.freq == h.freq)) {
        qDebug() << "频率大小不一致!";
        return {};
    }
    const gsl_complex ec = lineToComplex(e);
    const gsl_complex hc = lineToComplex(h);
    return {timesConjugate(ec, ec), timesConjugate(ec, hc), timesConjugate(hc, ec), timesConjugate(hc, hc)};
}

double Spectrix::OneFreqParzen(double f0, double f, double b)
{
    return ParzenKernel::weight(f0, f, f0 * b);
}

// An empty band leaves the weight sum at 0, so every entry becomes 0/0 = NaN, which the coherency
// test and the impedance computation catch. Frequency-mismatch records hold no matrix and are skipped.
OneFreqCrossPower Spectrix::OneFreqBendParzen(double f0, QVector<OneFreqCrossPower> records, double b)
{
    const double hw = f0 * b;
    QVector<gsl_complex> sum(4, gsl_complex_rect(0, 0));
    double weightSum = 0;
    for (const OneFreqCrossPower &record : qAsConst(records)) {
        if (record.crossPower.size() < 4 || !ParzenKernel::inside(f0, record.freq, hw))
            continue;
        const double w = OneFreqParzen(f0, record.freq, b);
        for (int k = 0; k < 4; ++k)
            sum[k] = gsl_complex_add(sum[k], gsl_complex_mul_real(record.crossPower.at(k), w));
        weightSum += w;
    }
    for (gsl_complex &entry : sum)
        entry = gsl_complex_div_real(entry, weightSum);
    return {f0, sum};
}

// Values and frequencies are paired by index up to the shorter of the two; an empty band gives NaN.
gsl_complex Spectrix::OneFreqBendParzen(double f0, QVector<gsl_complex> values, QVector<double> freqs, double b)
{
    const double hw = f0 * b;
    const int count = std::min(values.size(), freqs.size());
    gsl_complex sum = gsl_complex_rect(0, 0);
    double weightSum = 0;
    for (int i = 0; i < count; ++i) {
        if (!ParzenKernel::inside(f0, freqs.at(i), hw))
            continue;
        const double w = OneFreqParzen(f0, freqs.at(i), b);
        sum = gsl_complex_add(sum, gsl_complex_mul_real(values.at(i), w));
        weightSum += w;
    }
    return gsl_complex_div_real(sum, weightSum);
}

double Spectrix::Calc_Coherency2(OneFreqCrossPower record)
{
    const QVector<gsl_complex> s = fourEntries(record);
    return coherency(s.at(0), s.at(1), s.at(3));
}

bool Spectrix::Calc_Coherency(OneFreqCrossPower record)
{
    return passesCoherency(Calc_Coherency2(record));
}

double Spectrix::Calc_Coherency2(OneFreqSpectrum e, OneFreqSpectrum h)
{
    const gsl_complex ec = lineToComplex(e);
    const gsl_complex hc = lineToComplex(h);
    const double coh = coherency(timesConjugate(ec, ec), timesConjugate(ec, hc), timesConjugate(hc, hc));
    return std::isfinite(coh) ? coh : 0.0;
}

bool Spectrix::Calc_Coherency(OneFreqSpectrum e, OneFreqSpectrum h)
{
    return passesCoherency(Calc_Coherency2(e, h));
}

OneFreqImpedance Spectrix::ComputeOneFreqImpeDance(OneFreqCrossPower record, float tag)
{
    using namespace ImpedanceFormulas;
    const QVector<gsl_complex> s = fourEntries(record);
    OneFreqImpedance result;
    result.tag = tag;
    result.freq = record.freq;
    result.rho = cagniardRho(s.at(0), s.at(3), result.freq);
    result.coherency = coherency(s.at(0), s.at(1), s.at(3));
    result.phase = foldedPhaseDegrees(s.at(1));
    if (!std::isfinite(result.coherency))
        substituteFallback(result);
    result.phase = mappedPhase(result.phase);
    if (result.rho != 0) {
        result.bostickDepth = bostickDepth(result.rho, result.freq);
        result.bostickRho = bostickRho(result.rho, result.phase);
    }
    return result;
}
