#pragma once
// The resistivity pipeline computed the long way, from the public building blocks and the record
// lists: every segment of both files read into memory (Wavefile::getTsData), each one tapered and
// transformed with a fresh plan (Spectrix::FastFFTTranform), calibrated as amplitude and phase and
// collected per segment before the estimator reduces them. The streamed pipeline must give its
// curves to rounding.

#include <QVector>
#include <algorithm>
#include <cmath>
#include <gsl/gsl_complex_math.h>

#include "CalibrationLines.h"
#include "OutputBand.h"
#include "RhoworksTestSupport.h"
#include "Spectrix.h"
#include "Trimora.h"
#include "Wavefile.h"

namespace SegmentListPipeline {

using RhoworksTest::Method;

struct Input {
    RhoworksTest::PairFiles files;
    RhoworksTest::RunOptions options;
    int segmentCount = 0;
    bool removeTrend = false;
};

inline bool readSegments(const QString &file, const Input &in, QList<QVector<double>> &segments)
{
    const float scale = in.options.fs < 4096 ? float(2500.0 / 2147483648.0) : float(3000.0 / 8388608.0);
    Wavefile reader;
    if (!reader.getTimeSeries(file, scale, 0, in.options.n, in.segmentCount))
        return false;
    segments = reader.getTsData();
    if (in.removeTrend) {
        for (QVector<double> &segment : segments)
            segment = reader.TrendElimination2(segment);
    }
    return true;
}

inline bool loadTable(const QString &file, bool sensor, const Input &in, QList<OneFreqCheck> &table)
{
    Trimora reader;
    if (!(sensor ? reader.getSensorDataList(file) : reader.getGainDataList(file)))
        return false;
    table = reader.getCheckedData();
    return CalibrationLines::resample(table, in.options.n, in.options.fs);
}

inline bool clipped(const QVector<double> &segment, double fs)
{
    const double limit = fs < 4096 ? 2500 : 3000;
    return std::any_of(segment.begin(), segment.end(), [limit](double x) { return std::fabs(x) >= limit; });
}

// Calibrated spectra of every kept segment pair, as amplitude and phase lines.
inline bool spectra(const Input &in, bool clipTest, QList<QList<OneFreqSpectrum>> &e,
                    QList<QList<OneFreqSpectrum>> &h)
{
    QList<QVector<double>> eSegments, hSegments;
    QList<OneFreqCheck> eSensor, hSensor, eGain, hGain;
    if (!readSegments(in.files.e, in, eSegments) || !readSegments(in.files.h, in, hSegments)
        || eSegments.size() != hSegments.size() || eSegments.isEmpty())
        return false;
    if (!loadTable(in.files.eSensor, true, in, eSensor) || !loadTable(in.files.hSensor, true, in, hSensor)
        || !loadTable(in.files.eGain, false, in, eGain) || !loadTable(in.files.hGain, false, in, hGain))
        return false;
    Spectrix spectrix;
    const int n = in.options.n;
    const double metres = float(in.options.dipoleLength);
    for (int i = 0; i < eSegments.size(); ++i) {
        if (clipTest && (clipped(eSegments[i], in.options.fs) || clipped(hSegments[i], in.options.fs)))
            continue;
        QVector<double> eMvPerKm = eSegments[i];
        for (double &x : eMvPerKm)
            x = x * 1000 / metres;
        const auto eLines = spectrix.FastFFTTranform(spectrix.WndFunc(eMvPerKm, 1, n), n, in.options.fs);
        const auto hLines = spectrix.FastFFTTranform(spectrix.WndFunc(hSegments[i], 1, n), n, in.options.fs);
        e.append(CalibrationLines::remove(eLines, eSensor, eGain, in.options.useESensor));
        h.append(CalibrationLines::remove(hLines, hSensor, hGain, true));
    }
    return true;
}

inline gsl_complex polar(const OneFreqSpectrum &line)
{
    return gsl_complex_polar(line.amplitude, line.phase);
}

inline QVector<double> lineFrequencies(int lines, const Input &in)
{
    QVector<double> freqs;
    for (int j = 1; j <= lines; ++j)
        freqs.append(j * in.options.fs / in.options.n);
    return freqs;
}

// The one-pass distance-weighted estimate written as the weights are defined: w_k = 1 - d_k / D.
inline double weightedPart(const QVector<double> &x)
{
    double mean = 0, total = 0, weights = 0, weighted = 0;
    for (double v : x)
        mean += v;
    mean /= x.size();
    for (double v : x)
        total += std::fabs(v - mean);
    if (total == 0)
        return mean;
    for (double v : x) {
        const double w = 1 - std::fabs(v - mean) / total;
        weights += w;
        weighted += w * v;
    }
    return weighted / weights;
}

inline QVector<gsl_complex> distanceWeighted(const QList<QVector<gsl_complex>> &z)
{
    QVector<gsl_complex> lines;
    for (int j = 0; j < z.first().size(); ++j) {
        QVector<double> re, im;
        for (const QVector<gsl_complex> &segment : z) {
            re.append(GSL_REAL(segment[j]));
            im.append(GSL_IMAG(segment[j]));
        }
        lines.append(gsl_complex_rect(weightedPart(re), weightedPart(im)));
    }
    return lines;
}

// Records of the impedance estimators: band-averaged Z (half-width 0.6), |Z|^2 / 5f, folded phase.
inline QVector<OneFreqImpedance> impedanceCurve(const QVector<gsl_complex> &lines, const QVector<double> &freqs,
                                                const QList<double> &targets)
{
    Spectrix spectrix;
    QVector<OneFreqImpedance> curve;
    for (double f0 : targets) {
        const gsl_complex z = spectrix.OneFreqBendParzen(f0, lines, freqs, 0.6);
        OneFreqImpedance record;
        record.freq = f0;
        record.coherency = 0.98;
        record.rho = gsl_complex_abs2(z) / (f0 * 5);
        double p = std::fabs(gsl_complex_arg(z)) / 3.1415926 * 180;
        record.phase = p > 90 ? 180 - p : p;
        if (std::isfinite(record.rho) && std::isfinite(record.phase))
            curve.append(record);
    }
    return curve;
}

inline QVector<OneFreqImpedance> plainCurve(const QList<QList<OneFreqSpectrum>> &e,
                                            const QList<QList<OneFreqSpectrum>> &h, Rhoworks &rhoworks,
                                            const Input &in)
{
    Spectrix spectrix;
    QList<QVector<OneFreqCrossPower>> crossPowers;
    for (int i = 0; i < e.size(); ++i)
        crossPowers.append(spectrix.ComputeCrossPower(e[i], h[i]));
    QVector<OneFreqCrossPower> kept;
    for (const OneFreqCrossPower &record : rhoworks.SumCrossPower(crossPowers))
        if (spectrix.Calc_Coherency(record))
            kept.append(record);
    const OutputBand band = outputBand(in.options.fs, in.options.n, false);
    QVector<OneFreqImpedance> curve;
    for (double f0 : rhoworks.GenerateFreqList(band.fmin, band.fmax, in.options.mode))
        curve.append(spectrix.ComputeOneFreqImpeDance(spectrix.OneFreqBendParzen(f0, kept, 0.3), 0));
    return curve;
}

inline QVector<OneFreqImpedance> estimatorCurve(Method method, const QList<QList<OneFreqSpectrum>> &e,
                                                const QList<QList<OneFreqSpectrum>> &h, Rhoworks &rhoworks,
                                                const Input &in)
{
    QList<QVector<gsl_complex>> z;
    for (int i = 0; i < e.size(); ++i) {
        QVector<gsl_complex> values;
        for (int j = 0; j < e[i].size(); ++j)
            values.append(gsl_complex_div(polar(e[i][j]), polar(h[i][j])));
        z.append(values);
    }
    const bool repeated = method == Method::Robust;
    const QVector<gsl_complex> lines = repeated ? rhoworks.Robust_RepeatMedian(z) : distanceWeighted(z);
    const OutputBand band = outputBand(in.options.fs, in.options.n, repeated);
    QVector<OneFreqImpedance> curve = impedanceCurve(
        lines, lineFrequencies(lines.size(), in), rhoworks.GenerateFreqList(band.fmin, band.fmax, in.options.mode));
    return in.options.fs <= 4096 ? rhoworks.DealWithPowerLineFreq(curve) : curve;
}

inline QVector<OneFreqImpedance> medianCurve(const QList<QList<OneFreqSpectrum>> &e,
                                             const QList<QList<OneFreqSpectrum>> &h, Rhoworks &rhoworks,
                                             const Input &in)
{
    QList<QVector<gsl_complex>> eValues, hValues, z;
    for (int i = 0; i < e.size(); ++i) {
        QVector<gsl_complex> ev, hv, zv;
        for (int j = 0; j < e[i].size(); ++j) {
            ev.append(polar(e[i][j]));
            hv.append(polar(h[i][j]));
            zv.append(gsl_complex_div(ev.last(), hv.last()));
        }
        eValues.append(ev);
        hValues.append(hv);
        z.append(zv);
    }
    const QVector<gsl_complex> eMedian = rhoworks.Robust_Median(eValues), hMedian = rhoworks.Robust_Median(hValues);
    const QVector<gsl_complex> zMedian = rhoworks.Robust_Median(z);
    const QVector<double> freqs = lineFrequencies(zMedian.size(), in);
    QVector<gsl_complex> keptLines;
    QVector<double> keptFreqs;
    Spectrix spectrix;
    for (int j = 0; j < zMedian.size(); ++j) {
        const OneFreqSpectrum eLine{0, gsl_complex_abs(eMedian[j]), gsl_complex_arg(eMedian[j])};
        const OneFreqSpectrum hLine{0, gsl_complex_abs(hMedian[j]), gsl_complex_arg(hMedian[j])};
        if (spectrix.Calc_Coherency(eLine, hLine)) {
            keptLines.append(zMedian[j]);
            keptFreqs.append(freqs[j]);
        }
    }
    const OutputBand band = outputBand(in.options.fs, in.options.n, false);
    return impedanceCurve(keptLines, keptFreqs, rhoworks.GenerateFreqList(band.fmin, band.fmax, in.options.mode));
}

// The curve of method before the dead-frequency treatment, sorted by frequency; false when the
// long way fails (unreadable files, unequal or no segments, every pair clipped).
inline bool curve(Method method, const Input &in, QVector<OneFreqImpedance> &result)
{
    QList<QList<OneFreqSpectrum>> e, h;
    const bool clipTest = method == Method::Plain || method == Method::Median;
    if (!spectra(in, clipTest, e, h) || e.isEmpty())
        return false;
    Rhoworks rhoworks;
    if (method == Method::Plain)
        result = plainCurve(e, h, rhoworks, in);
    else if (method == Method::Median)
        result = medianCurve(e, h, rhoworks, in);
    else
        result = estimatorCurve(method, e, h, rhoworks, in);
    std::stable_sort(result.begin(), result.end(),
                     [](const OneFreqImpedance &a, const OneFreqImpedance &b) { return a.freq < b.freq; });
    return true;
}

}  // namespace SegmentListPipeline
