// The four computation methods and the curve they leave behind.

#include "Rhoworks.h"

#include <QDebug>
#include <algorithm>
#include <cmath>
#include <gsl/gsl_complex_math.h>

#include "CrossPowerStack.h"
#include "ImpedanceFormulas.h"
#include "OutputBand.h"
#include "PairRequest.h"
#include "SpectralMath.h"
#include "Spectrix.h"

namespace {

constexpr double kRobustCoherency = 0.98;
constexpr double kPowerLineStepMaxFs = 4096;

PairRequest makeRequest(const char *caller, const QString &eFile, const QString &hFile, double fs,
                        double readerValue, double dipoleLength, const QString &eSensor,
                        const QString &hSensor, const QString &eGain, const QString &hGain,
                        bool useESensor, int n, int segmentCount, bool removeTrend, int freqMode)
{
    return {eFile, hFile, fs, readerValue, float(dipoleLength), eSensor, hSensor, eGain, hGain,
            useESensor, n, segmentCount, removeTrend, freqMode, caller};
}

QVector<gsl_complex> polarLines(const QList<OneFreqSpectrum> &spectrum)
{
    QVector<gsl_complex> values;
    values.reserve(spectrum.size());
    for (const OneFreqSpectrum &line : spectrum)
        values.append(gsl_complex_polar(line.amplitude, line.phase));
    return values;
}

// z = E / H per line, over the lines both spectra have.
QVector<gsl_complex> lineImpedances(const QList<OneFreqSpectrum> &e, const QList<OneFreqSpectrum> &h)
{
    const int lines = std::min(e.size(), h.size());
    QVector<gsl_complex> z;
    z.reserve(lines);
    for (int i = 0; i < lines; ++i) {
        z.append(gsl_complex_div(gsl_complex_polar(e[i].amplitude, e[i].phase),
                                 gsl_complex_polar(h[i].amplitude, h[i].phase)));
    }
    return z;
}

QVector<double> lineFrequencies(int lines, int n, double fs)
{
    QVector<double> freqs(lines);
    for (int j = 1; j <= lines; ++j)
        freqs[j - 1] = j * fs / n;
    return freqs;
}

// Spectrum built from per-line complex medians: frequencies from the first segment's spectrum.
QVector<OneFreqSpectrum> medianSpectrum(const QVector<gsl_complex> &medians,
                                        const QVector<double> &freqs)
{
    QVector<OneFreqSpectrum> spectrum(std::min(medians.size(), freqs.size()));
    for (int j = 0; j < spectrum.size(); ++j)
        spectrum[j] = {freqs[j], gsl_complex_abs(medians[j]), gsl_complex_arg(medians[j])};
    return spectrum;
}

// The record of one target built from the band-averaged impedance Z (no phase mapping).
OneFreqImpedance impedanceRecord(double f0, gsl_complex z)
{
    OneFreqImpedance record;
    record.freq = f0;
    record.coherency = kRobustCoherency;
    record.rho = gsl_complex_abs2(z) / (f0 * 5);
    double p = std::fabs(gsl_complex_arg(z)) / SpectralMath::kPi * 180;
    if (p > 90)
        p = 180 - p;
    record.phase = p;
    if (record.rho != 0) {
        record.bostickDepth = ImpedanceFormulas::bostickDepth(record.rho, f0);
        record.bostickRho = ImpedanceFormulas::bostickRho(record.rho, p);
    }
    return record;
}

bool isFiniteRecord(const OneFreqImpedance &record)
{
    return std::isfinite(record.rho) && std::isfinite(record.phase);
}

}  // namespace

bool Rhoworks::Calc_CagniardResistivity(QString eFileName, QString hFileName, double sampleRate,
                                        double readerValue, double dipoleLength,
                                        QString eSensorFile, QString hSensorFile,
                                        QString eGainFile, QString hGainFile, bool useESensor,
                                        int segmentLength, int segmentCount, bool removeTrend,
                                        bool, int freqMode)
{
    return computePlain(makeRequest("Rhoworks::Calc_CagniardResistivity:", eFileName, hFileName,
                                    sampleRate, readerValue, dipoleLength, eSensorFile,
                                    hSensorFile, eGainFile, hGainFile, useESensor, segmentLength,
                                    segmentCount, removeTrend, freqMode));
}

bool Rhoworks::Calc_CagniardResistivityMEstimation(QString eFileName, QString hFileName,
                                                   double sampleRate, double readerValue,
                                                   double dipoleLength, QString eSensorFile,
                                                   QString hSensorFile, QString eGainFile,
                                                   QString hGainFile, bool useESensor,
                                                   int segmentLength, int segmentCount,
                                                   bool removeTrend, bool, int freqMode)
{
    return computeImpedanceEstimate(
        makeRequest("Rhoworks::Calc_CagniardResistivityMEstimation:", eFileName, hFileName,
                    sampleRate, readerValue, dipoleLength, eSensorFile, hSensorFile, eGainFile,
                    hGainFile, useESensor, segmentLength, segmentCount, removeTrend, freqMode),
        false);
}

bool Rhoworks::Calc_CagniardResistivityRobust(QString eFileName, QString hFileName,
                                              double sampleRate, double readerValue,
                                              double dipoleLength, QString eSensorFile,
                                              QString hSensorFile, QString eGainFile,
                                              QString hGainFile, bool useESensor,
                                              int segmentLength, int segmentCount,
                                              bool removeTrend, bool, int freqMode)
{
    return computeImpedanceEstimate(
        makeRequest("Rhoworks::Calc_CagniardResistivityRobust:", eFileName, hFileName, sampleRate,
                    readerValue, dipoleLength, eSensorFile, hSensorFile, eGainFile, hGainFile,
                    useESensor, segmentLength, segmentCount, removeTrend, freqMode),
        true);
}

bool Rhoworks::Calc_CagniardResistivityMedian(QString eFileName, QString hFileName,
                                              double sampleRate, double readerValue,
                                              double dipoleLength, QString eSensorFile,
                                              QString hSensorFile, QString eGainFile,
                                              QString hGainFile, bool useESensor,
                                              int segmentLength, int segmentCount,
                                              bool removeTrend, bool, int freqMode)
{
    return computeMedian(makeRequest("Rhoworks::Calc_CagniardResistivityMedian:", eFileName,
                                     hFileName, sampleRate, readerValue, dipoleLength,
                                     eSensorFile, hSensorFile, eGainFile, hGainFile, useESensor,
                                     segmentLength, segmentCount, removeTrend, freqMode));
}

QVector<OneFreqImpedance> Rhoworks::getCanigrdResistivity()
{
    DealWithDeadFreqAndPowerLine(curve);
    return curve;
}

QList<double> Rhoworks::targetFrequencies(const PairRequest &request, bool robustBand)
{
    const OutputBand band = outputBand(request.fs, request.n, robustBand);
    return GenerateFreqList(band.fmin, band.fmax, request.freqMode);
}

void Rhoworks::storeBandAveragedCurve(const QVector<OneFreqCrossPower> &kept,
                                      const QList<double> &targets)
{
    Spectrix spectrix;
    QVector<OneFreqCrossPower> averaged;
    averaged.reserve(targets.size());
    for (double f0 : targets)
        averaged.append(spectrix.OneFreqBendParzen(f0, kept, 0.3));
    curve.clear();
    for (const OneFreqCrossPower &record : averaged)
        curve.append(spectrix.ComputeOneFreqImpeDance(record, 0));
    std::stable_sort(curve.begin(), curve.end(), ImpedanceSortByFreq);
}

bool Rhoworks::computePlain(const PairRequest &request)
{
    Spectrix spectrix;
    CrossPowerStack stack;
    const bool read = runFrontEnd(request, true, [&](const QList<OneFreqSpectrum> &e,
                                                     const QList<OneFreqSpectrum> &h) {
        stack.add(spectrix.ComputeCrossPower(e, h));
    });
    if (!read)
        return false;
    if (stack.count() == 0) {
        qDebug() << request.caller << "every segment pair of" << request.eFile << request.hFile
                 << "is clipped";
        return false;
    }
    QVector<OneFreqCrossPower> kept;
    for (const OneFreqCrossPower &record : stack.mean()) {
        if (spectrix.Calc_Coherency(record))
            kept.append(record);
    }
    if (kept.isEmpty()) {
        qDebug() << request.caller << "no stacked line of" << request.eFile << request.hFile
                 << "passes the coherency test";
        return false;
    }
    storeBandAveragedCurve(kept, targetFrequencies(request, false));
    return true;
}

bool Rhoworks::computeMedian(const PairRequest &request)
{
    QList<QVector<gsl_complex>> eLines;
    QList<QVector<gsl_complex>> hLines;
    QVector<double> freqs;
    const bool read = runFrontEnd(request, true, [&](const QList<OneFreqSpectrum> &e,
                                                     const QList<OneFreqSpectrum> &h) {
        if (freqs.isEmpty()) {
            for (const OneFreqSpectrum &line : e)
                freqs.append(line.freq);
        }
        eLines.append(polarLines(e));
        hLines.append(polarLines(h));
    });
    if (!read)
        return false;
    if (eLines.isEmpty()) {
        qDebug() << request.caller << "every segment pair of" << request.eFile << request.hFile
                 << "is clipped";
        return false;
    }
    const QVector<OneFreqSpectrum> eMedian = medianSpectrum(Robust_Median(std::exchange(eLines, {})), freqs);
    const QVector<OneFreqSpectrum> hMedian = medianSpectrum(Robust_Median(std::exchange(hLines, {})), freqs);
    Spectrix spectrix;
    QVector<OneFreqSpectrum> eKept;
    QVector<OneFreqSpectrum> hKept;
    for (int j = 0; j < std::min(eMedian.size(), hMedian.size()); ++j) {
        if (spectrix.Calc_Coherency(eMedian[j], hMedian[j])) {
            eKept.append(eMedian[j]);
            hKept.append(hMedian[j]);
        }
    }
    if (eKept.isEmpty()) {
        qDebug() << request.caller << "no median line of" << request.eFile << request.hFile
                 << "passes the coherency test";
        return false;
    }
    storeBandAveragedCurve(spectrix.ComputeCrossPower(eKept, hKept),
                           targetFrequencies(request, false));
    return true;
}

bool Rhoworks::computeImpedanceEstimate(const PairRequest &request, bool repeatedMedian)
{
    QList<QVector<gsl_complex>> impedances;
    const bool read = runFrontEnd(request, false, [&](const QList<OneFreqSpectrum> &e,
                                                      const QList<OneFreqSpectrum> &h) {
        impedances.append(lineImpedances(e, h));
    });
    if (!read)
        return false;
    const QVector<gsl_complex> combined = repeatedMedian
        ? Robust_RepeatMedian(std::exchange(impedances, {}))
        : Robust_MEstimation(std::exchange(impedances, {}));
    const QVector<double> freqs = lineFrequencies(combined.size(), request.n, request.fs);
    const QList<double> targets = targetFrequencies(request, repeatedMedian);

    // A band without a finite impedance (no FFT line in it, or lines with zero magnetic field)
    // has no resistivity; its target is left out rather than stored as NaN.
    Spectrix spectrix;
    QVector<OneFreqImpedance> records;
    for (double f0 : targets) {
        const OneFreqImpedance record =
            impedanceRecord(f0, spectrix.OneFreqBendParzen(f0, combined, freqs, 0.6));
        if (isFiniteRecord(record))
            records.append(record);
    }
    if (records.isEmpty() && !targets.isEmpty()) {
        qDebug() << request.caller << "no output frequency of" << request.eFile << request.hFile
                 << "has a finite impedance";
        return false;
    }
    curve = records;
    std::stable_sort(curve.begin(), curve.end(), ImpedanceSortByFreq);
    if (request.fs <= kPowerLineStepMaxFs)
        curve = DealWithPowerLineFreq(curve);
    return true;
}
