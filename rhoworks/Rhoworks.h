#pragma once
// Apparent-resistivity pipeline over whole recordings. A Rhoworks object turns one electric and one
// magnetic channel file into a Cagniard apparent-resistivity and phase curve on a fixed logarithmic
// frequency table: it reads and segments the files (Wavefile), removes the sensor and gain responses
// (Trimora tables), transforms the segments (Spectrix), combines them with one of four estimators,
// band-averages onto the table and repairs power-line and dead frequencies.
//
// The object keeps the last curve and the power-line list of the last frequency table between calls;
// a failed computation leaves the previous curve in place. One thread at a time.

#include <QList>
#include <QString>
#include <QVector>
#include <complex>
#include <functional>
#include <vector>

#include "PairRequest.h"
#include "RhoworksExport.h"
#include "SpectralRecords.h"

class MedianFieldTally;
struct TransformPair;

class RHOWORKS_EXPORT Rhoworks {
public:
    Rhoworks() = default;
    Rhoworks(const Rhoworks &other) = default;
    Rhoworks(Rhoworks &&other) = default;
    Rhoworks &operator=(const Rhoworks &other) = default;
    Rhoworks &operator=(Rhoworks &&other) = default;
    ~Rhoworks() = default;

    // Estimator codes, as the stacking switch numbers them.
    enum Estimator { EstimatorPlain = 1, EstimatorRobust = 2, EstimatorMEstimation = 3,
                     EstimatorMedian = 6 };
    static bool isEstimator(int code);

    // Runs the estimator of code over request: the four methods below are this call with their
    // own code (the request's caller is set to the method's name for the debug lines). False for
    // a code that is not an estimator (logged) or when the computation fails; the curve is then
    // fetched with getCanigrdResistivity.
    bool compute(int estimator, const PairRequest &request);

    // The four computation methods share one parameter list: E and H time-series files, sampling
    // frequency fs (Hz), readerValue (forwarded to the reader as its sample count), dipole length (m),
    // E and H sensor tables, E and H gain tables, whether the E sensor table is removed too, segment
    // length n (samples; also FFT and window length), segment count (forwarded to the reader; <= 0
    // reads all), trend removal, a spare flag (unused) and the frequency-table mode 0..3.
    // True on success; the curve is then fetched with getCanigrdResistivity.

    // Mean cross powers over the unclipped segments, coherent lines only, Parzen band average.
    bool Calc_CagniardResistivity(QString eFileName, QString hFileName, double sampleRate,
                                  double readerValue, double dipoleLength, QString eSensorFile,
                                  QString hSensorFile, QString eGainFile, QString hGainFile,
                                  bool useESensor, int segmentLength, int segmentCount,
                                  bool removeTrend, bool spareFlag, int freqMode);
    // Per-line impedances E/H combined by the one-pass distance-weighted estimate.
    bool Calc_CagniardResistivityMEstimation(QString eFileName, QString hFileName, double sampleRate,
                                             double readerValue, double dipoleLength,
                                             QString eSensorFile, QString hSensorFile,
                                             QString eGainFile, QString hGainFile, bool useESensor,
                                             int segmentLength, int segmentCount, bool removeTrend,
                                             bool spareFlag, int freqMode);
    // Per-line impedances E/H combined by the leave-one-out repeated median.
    bool Calc_CagniardResistivityRobust(QString eFileName, QString hFileName, double sampleRate,
                                        double readerValue, double dipoleLength, QString eSensorFile,
                                        QString hSensorFile, QString eGainFile, QString hGainFile,
                                        bool useESensor, int segmentLength, int segmentCount,
                                        bool removeTrend, bool spareFlag, int freqMode);
    // Component-wise median of each line's impedance E/H over the unclipped segments, on the lines
    // whose median E and H spectra carry a field; band-averaged like the impedance estimators.
    bool Calc_CagniardResistivityMedian(QString eFileName, QString hFileName, double sampleRate,
                                        double readerValue, double dipoleLength, QString eSensorFile,
                                        QString hSensorFile, QString eGainFile, QString hGainFile,
                                        bool useESensor, int segmentLength, int segmentCount,
                                        bool removeTrend, bool spareFlag, int freqMode);

    // The stored curve after the dead-frequency treatment (applied in place), sorted by frequency.
    QVector<OneFreqImpedance> getCanigrdResistivity();

    // Values of the 10-lines-per-decade table (1.26 Hz .. 100 kHz) with fmin <= f <= fmax.
    QList<double> GenerateFreqList(double fmin, double fmax);
    // Values of the table of mode 0..3 within [fmin, fmax]; also sets the power-line list of that
    // mode. Any other mode: empty, and the power-line list is kept.
    QList<double> GenerateFreqList(double fmin, double fmax, int mode);
    // True when some element of list lies within 1e-5 of f.
    bool findSampeFreq(double f, QVector<double> &list);
    // The dead frequencies (Hz): records found at them (findSampeFreq) are filled in from the live
    // records by getCanigrdResistivity rather than kept as measured: the power line and its
    // harmonics, and 2 to 4 kHz.
    static const QVector<double> &deadFrequencyList();

    // Estimators over per-segment vectors (one entry per segment, one element per line). Every one
    // uses the common (shortest) length of the entries; no entry gives an empty result.
    QVector<OneFreqCrossPower> SumCrossPower(QList<QVector<OneFreqCrossPower>> segments);
    QVector<OneFreqCrossPower> MedianSumCrossPower(QList<QVector<OneFreqCrossPower>> segments);
    QVector<gsl_complex> Robust_Median(QList<QVector<gsl_complex>> segments);
    QVector<gsl_complex> Robust_MEstimation(QList<QVector<gsl_complex>> segments);
    // Leave-one-out repeated median; each stage's medians are rounded to single precision.
    QVector<gsl_complex> Robust_RepeatMedian(QList<QVector<gsl_complex>> segments);

    // Re-evaluates rho, phase and coherency (absolute values) of every record through an Akima spline
    // fitted without the records at the power-line frequencies present in the curve.
    QVector<OneFreqImpedance> DealWithPowerLineFreq(QVector<OneFreqImpedance> curve);
    // Replace rho, phase and coherency of the records at 39.8, 50.1, 63.1 Hz (resp. 126, 158,
    // 200 Hz) by a spline through the other records.
    QVector<OneFreqImpedance> DealWith50HzFreq(QVector<OneFreqImpedance> curve);
    QVector<OneFreqImpedance> DealWith150HzFreq(QVector<OneFreqImpedance> curve);

private:
    friend class TestRhoworks;

    // Scale of the recorder's converter in mV per count: 32-bit below 4096 Hz, 24-bit above.
    float ADResolution(double fs);
    // True when a sample (mV) reaches the converter's full scale.
    bool OverflowDetermine(QVector<double> samples, double fs);
    // mV to mV/km for a dipole of the given length in metres.
    QVector<double> UnitConversion(QVector<double> samples, float length);
    // Resamples a calibration table onto the n/2 FFT lines k fs / n; the end values hold outside
    // the table's span. An unusable table (no rows, frequencies not increasing) comes back empty.
    void getInterpolation(QList<OneFreqCheck> &table, int n, double fs);
    // Removes table B (and table A when applyA) from a spectrum, matched line by line.
    QList<OneFreqSpectrum> getCalSpectrum(QList<OneFreqSpectrum> spectrum, QList<OneFreqCheck> tableA,
                                          QList<OneFreqCheck> tableB, bool applyA);
    double median(QVector<double> values);

    void DealWithDeadFreqAndPowerLine(QVector<OneFreqImpedance> &curve);
    void LineSmoothThree(QVector<double> &first, QVector<double> &second);
    void LineSmoothFive(QVector<OneFreqImpedance> curve);
    static bool ImpedanceSortByFreq(const OneFreqImpedance &a, const OneFreqImpedance &b);

    // Front end shared by the four methods: reading, calibration tables, then for every segment
    // pair (unclipped ones only when clipTest) the calibrated E and H spectra handed to consume as
    // lines complex values each (line k - 1 at k fs / n); false when the files cannot be read
    // whole, hold no segment or different numbers of segments.
    // start, when given, learns the number of lines and (an upper bound of) the number of segments
    // before the first pair is handed over. The first skipSegments segment pairs are passed over.
    using PairConsumer = std::function<void(const gsl_complex *e, const gsl_complex *h, int lines)>;
    using PairStart = std::function<void(int lines, qint64 expectedSegments)>;
    bool runFrontEnd(const PairRequest &request, bool clipTest, const PairConsumer &consume,
                     const PairStart &start = {}, qint64 skipSegments = 0);
    // The same without the clip test for estimators that need only the impedances: each pair is
    // handed over as its transform lines and the factors that turn their quotients into calibrated
    // impedances.
    using ImpedanceConsumer = std::function<void(const TransformPair &pair)>;
    bool runImpedanceFrontEnd(const PairRequest &request, const ImpedanceConsumer &consume,
                              const PairStart &start = {}, qint64 skipSegments = 0);
    // Both: calibrated lines, or with impedanceFactors the transform lines, the factors written there.
    bool streamPairs(const PairRequest &request, bool clipTest,
                     std::vector<std::complex<double>> *impedanceFactors, const PairConsumer &consume,
                     const PairStart &start, qint64 skipSegments);
    bool loadTables(const PairRequest &request, CalibrationTables &tables);
    bool loadTable(const QString &file, bool sensor, const PairRequest &request,
                   QList<OneFreqCheck> &table);

    bool computePlain(const PairRequest &request);
    bool computeMedian(const PairRequest &request);
    bool medianFieldLines(const PairRequest &request, const MedianFieldTally &e,
                          const MedianFieldTally &h, int lines, QVector<bool> &kept);
    bool computeImpedanceEstimate(const PairRequest &request, bool repeatedMedian);
    bool repeatedMedianImpedances(const PairRequest &request, QVector<gsl_complex> &combined);
    bool weightedMeanImpedances(const PairRequest &request, QVector<gsl_complex> &combined);
    QList<double> targetFrequencies(const PairRequest &request, bool robustBand);
    // Band averages (half-width 0.3) of the kept records turned into impedances: the new curve.
    void storeBandAveragedCurve(const QVector<OneFreqCrossPower> &kept, const QList<double> &targets);
    // Band averages (half-width 0.6) of per-line impedances at freqs turned into records, sorted by
    // frequency: the new curve. False, curve kept, when no target has a finite impedance.
    bool storeImpedanceCurve(const PairRequest &request, const QVector<gsl_complex> &lines,
                             const QVector<double> &freqs, const QList<double> &targets);

    QVector<OneFreqImpedance> curve;
    QList<double> powerLineList;
};
