// The four computation methods and the curve they leave behind.

#include "Rhoworks.h"

#include <QDebug>
#include <algorithm>
#include <cmath>
#include <vector>
#include <gsl/gsl_complex_math.h>

#include "CrossPowerSums.h"
#include "DistanceWeightedMeans.h"
#include "ImpedanceFormulas.h"
#include "LineColumns.h"
#include "LineImpedances.h"
#include "MedianFieldTally.h"
#include "OrderStatistics.h"
#include "OutputBand.h"
#include "PairRequest.h"
#include "SegmentRows.h"
#include "SpectralMath.h"
#include "Spectrix.h"

namespace {

constexpr double kRobustCoherency = 0.98;
constexpr double kPowerLineStepMaxFs = 4096;

PairRequest makeRequest(const QString &eFile, const QString &hFile, double fs, double readerValue,
                        double dipoleLength, const QString &eSensor, const QString &hSensor,
                        const QString &eGain, const QString &hGain, bool useESensor, int n,
                        int segmentCount, bool removeTrend, int freqMode)
{
    return {eFile, hFile, fs, readerValue, float(dipoleLength), eSensor, hSensor, eGain, hGain,
            useESensor, n, segmentCount, removeTrend, freqMode, "", {}};
}

// The method name each estimator's debug lines carry.
const char *callerOf(int estimator)
{
    switch (estimator) {
    case Rhoworks::EstimatorPlain: return "Rhoworks::Calc_CagniardResistivity:";
    case Rhoworks::EstimatorRobust: return "Rhoworks::Calc_CagniardResistivityRobust:";
    case Rhoworks::EstimatorMEstimation: return "Rhoworks::Calc_CagniardResistivityMEstimation:";
    case Rhoworks::EstimatorMedian: return "Rhoworks::Calc_CagniardResistivityMedian:";
    default: return nullptr;
    }
}

// One segment's impedances appended to columns, computed straight into them.
void appendImpedances(LineColumns &columns, const gsl_complex *e, const gsl_complex *h)
{
    columns.append([e, h](int first, int width, gsl_complex *out) {
        LineImpedances::compute(e + first, h + first, width, out);
    });
}

void appendImpedances(LineColumns &columns, const TransformPair &pair)
{
    columns.append([&pair](int first, int width, gsl_complex *out) { pair.impedances(first, width, out); });
}

QVector<double> lineFrequencies(int lines, int n, double fs)
{
    QVector<double> freqs(lines);
    for (int j = 1; j <= lines; ++j)
        freqs[j - 1] = j * fs / n;
    return freqs;
}

// Lines whose median E and H spectra pass the line-form coherency test: a line without field in
// either median (zero or not finite) carries no impedance.
QVector<bool> coherentMedianLines(const QVector<gsl_complex> &eMedian,
                                  const QVector<gsl_complex> &hMedian)
{
    Spectrix spectrix;
    const auto line = [](gsl_complex z) {
        return OneFreqSpectrum{0, gsl_complex_abs(z), gsl_complex_arg(z)};
    };
    QVector<bool> kept(std::min(eMedian.size(), hMedian.size()));
    for (int j = 0; j < kept.size(); ++j)
        kept[j] = spectrix.Calc_Coherency(line(eMedian[j]), line(hMedian[j]));
    return kept;
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

// The request with its progress reports mapped onto [start, start + share->width) of the work; the
// width may be set once the size of the work is known.
struct ProgressShare {
    double start = 0;
    double width = 1;
};

PairRequest withProgressShare(const PairRequest &request, const ProgressShare *share)
{
    PairRequest pass = request;
    if (request.keepGoing) {
        const std::function<bool(double)> ask = request.keepGoing;
        pass.keepGoing = [ask, share](double fraction) { return ask(share->start + share->width * fraction); };
    }
    return pass;
}

bool isFiniteRecord(const OneFreqImpedance &record)
{
    return std::isfinite(record.rho) && std::isfinite(record.phase);
}

}  // namespace

bool Rhoworks::isEstimator(int code)
{
    return callerOf(code) != nullptr;
}

bool Rhoworks::compute(int estimator, const PairRequest &request)
{
    if (!isEstimator(estimator)) {
        qDebug() << "Rhoworks::compute: estimator code" << estimator << "is not one of 1, 2, 3 and 6";
        return false;
    }
    PairRequest named = request;
    named.caller = callerOf(estimator);
    switch (estimator) {
    case EstimatorPlain: return computePlain(named);
    case EstimatorRobust: return computeImpedanceEstimate(named, true);
    case EstimatorMEstimation: return computeImpedanceEstimate(named, false);
    default: return computeMedian(named);
    }
}

bool Rhoworks::Calc_CagniardResistivity(QString eFileName, QString hFileName, double sampleRate,
                                        double readerValue, double dipoleLength,
                                        QString eSensorFile, QString hSensorFile,
                                        QString eGainFile, QString hGainFile, bool useESensor,
                                        int segmentLength, int segmentCount, bool removeTrend,
                                        bool, int freqMode)
{
    return compute(EstimatorPlain, makeRequest(eFileName, hFileName, sampleRate, readerValue,
                                               dipoleLength, eSensorFile, hSensorFile, eGainFile,
                                               hGainFile, useESensor, segmentLength, segmentCount,
                                               removeTrend, freqMode));
}

bool Rhoworks::Calc_CagniardResistivityMEstimation(QString eFileName, QString hFileName,
                                                   double sampleRate, double readerValue,
                                                   double dipoleLength, QString eSensorFile,
                                                   QString hSensorFile, QString eGainFile,
                                                   QString hGainFile, bool useESensor,
                                                   int segmentLength, int segmentCount,
                                                   bool removeTrend, bool, int freqMode)
{
    return compute(EstimatorMEstimation,
                   makeRequest(eFileName, hFileName, sampleRate, readerValue, dipoleLength,
                               eSensorFile, hSensorFile, eGainFile, hGainFile, useESensor,
                               segmentLength, segmentCount, removeTrend, freqMode));
}

bool Rhoworks::Calc_CagniardResistivityRobust(QString eFileName, QString hFileName,
                                              double sampleRate, double readerValue,
                                              double dipoleLength, QString eSensorFile,
                                              QString hSensorFile, QString eGainFile,
                                              QString hGainFile, bool useESensor,
                                              int segmentLength, int segmentCount,
                                              bool removeTrend, bool, int freqMode)
{
    return compute(EstimatorRobust,
                   makeRequest(eFileName, hFileName, sampleRate, readerValue, dipoleLength,
                               eSensorFile, hSensorFile, eGainFile, hGainFile, useESensor,
                               segmentLength, segmentCount, removeTrend, freqMode));
}

bool Rhoworks::Calc_CagniardResistivityMedian(QString eFileName, QString hFileName,
                                              double sampleRate, double readerValue,
                                              double dipoleLength, QString eSensorFile,
                                              QString hSensorFile, QString eGainFile,
                                              QString hGainFile, bool useESensor,
                                              int segmentLength, int segmentCount,
                                              bool removeTrend, bool, int freqMode)
{
    return compute(EstimatorMedian,
                   makeRequest(eFileName, hFileName, sampleRate, readerValue, dipoleLength,
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
    CrossPowerSums stack;
    const bool read = runFrontEnd(request, true, [&](const gsl_complex *e, const gsl_complex *h,
                                                     int lines) { stack.add(e, h, lines); });
    if (!read)
        return false;
    if (stack.count() == 0) {
        qDebug() << request.caller << "every segment pair of" << request.eFile << request.hFile
                 << "is clipped";
        return false;
    }
    QVector<OneFreqCrossPower> kept;
    for (const OneFreqCrossPower &record : stack.mean(request.n, request.fs)) {
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

// The median of each line's impedance over the unclipped segments: the phase of the natural source
// changes from segment to segment and cancels in E / H, whereas the median of the raw spectra would
// mix different source phases. The median spectra of E and H pick the lines that carry a field;
// only the impedances are kept per segment, the field of E and H is tallied as the pairs pass.
bool Rhoworks::computeMedian(const PairRequest &request)
{
    LineColumns impedances;
    MedianFieldTally eField(0), hField(0);
    const PairStart start = [&](int lines, qint64) {
        impedances.reset(lines);
        eField = MedianFieldTally(lines);
        hField = MedianFieldTally(lines);
    };
    const bool read = runFrontEnd(request, true, [&](const gsl_complex *e, const gsl_complex *h,
                                                     int lines) {
        eField.add(e);
        hField.add(h);
        appendImpedances(impedances, e, h);
    }, start);
    if (!read)
        return false;
    if (impedances.segmentCount() == 0) {
        qDebug() << request.caller << "every segment pair of" << request.eFile << request.hFile
                 << "is clipped";
        return false;
    }
    QVector<bool> kept;
    if (!medianFieldLines(request, eField, hField, impedances.lineCount(), kept))
        return false;
    const QVector<gsl_complex> medians = impedances.reduce(OrderStatistics::medianInPlace);
    const QVector<double> freqs = lineFrequencies(medians.size(), request.n, request.fs);
    QVector<gsl_complex> keptMedians;
    QVector<double> keptFreqs;
    for (int j = 0; j < std::min(kept.size(), medians.size()); ++j) {
        if (kept[j]) {
            keptMedians.append(medians[j]);
            keptFreqs.append(freqs[j]);
        }
    }
    if (keptMedians.isEmpty()) {
        qDebug() << request.caller << "no median line of" << request.eFile << request.hFile
                 << "passes the coherency test";
        return false;
    }
    return storeImpedanceCurve(request, keptMedians, keptFreqs, targetFrequencies(request, false));
}

// Which lines the median method keeps. Lines the tallies cannot settle (extreme or non-finite
// values) take a second pass over the pairs that keeps their E and H values, to take the exact
// median spectra and test them.
bool Rhoworks::medianFieldLines(const PairRequest &request, const MedianFieldTally &e,
                                const MedianFieldTally &h, int lines, QVector<bool> &kept)
{
    kept.fill(false, lines);
    QVector<int> undecided;
    for (int j = 0; j < lines; ++j) {
        const MedianFieldTally::Field field = MedianFieldTally::pair(e.field(j), h.field(j));
        kept[j] = field == MedianFieldTally::Field::Present;
        if (field == MedianFieldTally::Field::Undecided)
            undecided.append(j);
    }
    if (undecided.isEmpty())
        return true;
    LineColumns eValues, hValues;
    QVector<gsl_complex> eChosen(undecided.size()), hChosen(undecided.size());
    const PairStart start = [&](int, qint64) {
        eValues.reset(undecided.size());
        hValues.reset(undecided.size());
    };
    const bool read = runFrontEnd(request, true, [&](const gsl_complex *eLines, const gsl_complex *hLines,
                                                     int) {
        for (int i = 0; i < undecided.size(); ++i) {
            eChosen[i] = eLines[undecided[i]];
            hChosen[i] = hLines[undecided[i]];
        }
        eValues.append(eChosen.constData());
        hValues.append(hChosen.constData());
    }, start);
    if (!read)
        return false;
    const QVector<bool> exact = coherentMedianLines(eValues.reduce(OrderStatistics::medianInPlace),
                                                    hValues.reduce(OrderStatistics::medianInPlace));
    for (int i = 0; i < std::min(undecided.size(), exact.size()); ++i)
        kept[undecided[i]] = exact[i];
    return true;
}

bool Rhoworks::computeImpedanceEstimate(const PairRequest &request, bool repeatedMedian)
{
    QVector<gsl_complex> combined;
    if (!(repeatedMedian ? repeatedMedianImpedances(request, combined)
                         : weightedMeanImpedances(request, combined)))
        return false;
    const QVector<double> freqs = lineFrequencies(combined.size(), request.n, request.fs);
    if (!storeImpedanceCurve(request, combined, freqs, targetFrequencies(request, repeatedMedian)))
        return false;
    if (request.fs <= kPowerLineStepMaxFs)
        curve = DealWithPowerLineFreq(curve);
    return true;
}

// The repeated median needs every segment's impedance of a line at once: they are kept, line
// by line.
bool Rhoworks::repeatedMedianImpedances(const PairRequest &request, QVector<gsl_complex> &combined)
{
    LineColumns impedances;
    const PairStart start = [&](int lines, qint64) { impedances.reset(lines); };
    const bool read = runImpedanceFrontEnd(request, [&](const TransformPair &pair) {
        appendImpedances(impedances, pair);
    }, start);
    if (read)
        combined = impedances.reduce(OrderStatistics::repeatedMedian);
    return read;
}

// The distance-weighted estimate needs each line's mean before the distances. The impedances of
// the first segments are kept, as many as DistanceWeightedMeans::keptBytes() hold, and weighed
// from memory; only the segments after them are streamed a second time. A recording that fits is
// read once.
bool Rhoworks::weightedMeanImpedances(const PairRequest &request, QVector<gsl_complex> &combined)
{
    DistanceWeightedMeans means;
    SegmentRows kept;
    QVector<gsl_complex> z;
    ProgressShare progress;
    const PairStart start = [&](int lines, qint64 expected) {
        const qint64 room = std::min<qint64>(expected, DistanceWeightedMeans::keptBytes() / (qint64(sizeof(gsl_complex)) * std::max(1, lines)));
        kept.reset(lines, room);
        progress.width = room < expected ? 0.5 : 1.0;
        z.resize(lines);
    };
    // A kept segment's impedances are computed straight into their place.
    const ImpedanceConsumer firstRound = [&](const TransformPair &pair) {
        gsl_complex *values = kept.append();
        if (!values)
            values = z.data();
        pair.impedances(0, pair.lines, values);
        means.add(values, pair.lines);
    };
    if (!runImpedanceFrontEnd(withProgressShare(request, &progress), firstRound, start))
        return false;
    means.startWeighting();
    for (qint64 k = 0; k < kept.count(); ++k)
        means.add(kept.row(k), z.size());
    if (kept.count() < means.segmentCount()) {
        const ImpedanceConsumer secondRound = [&](const TransformPair &pair) {
            pair.impedances(0, pair.lines, z.data());
            means.add(z.constData(), pair.lines);
        };
        progress = {0.5, 0.5};
        if (!runImpedanceFrontEnd(withProgressShare(request, &progress), secondRound, {}, kept.count()))
            return false;
    }
    combined = means.estimates();
    return true;
}

bool Rhoworks::storeImpedanceCurve(const PairRequest &request, const QVector<gsl_complex> &lines,
                                   const QVector<double> &freqs, const QList<double> &targets)
{
    // A band without a finite impedance (no FFT line in it, or lines with zero magnetic field)
    // has no resistivity; its target is left out rather than stored as NaN.
    Spectrix spectrix;
    QVector<OneFreqImpedance> records;
    for (double f0 : targets) {
        const OneFreqImpedance record =
            impedanceRecord(f0, spectrix.OneFreqBendParzen(f0, lines, freqs, 0.6));
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
    return true;
}
