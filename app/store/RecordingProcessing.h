#pragma once
// The computations behind opening a recording with recomputation: which processing a recording
// gets, its descriptors, a check that every file it needs is there, the scalar estimators of
// Rhoworks per channel pair and the tensor processing. Nothing here touches the database; a
// failure comes back as a sentence saying what is wrong, for the operator.
//
// File paths of the descriptors are relative to the working folder, as the readers resolve them.

#include <QList>
#include <QString>
#include <QVector>

#include "Data_Calc_Tensor.h"
#include "ImpedanceErrorBar.h"
#include "RegressionRequest.h"
#include "ProcessingRecords.h"
#include "RecordingHeader.h"
#include "RecordingInfo.h"
#include "SpectralRecords.h"

namespace RecordingProcessing {

// Estimator codes of the stacking switch.
// Estimator codes of the stacking switch; 7 is the robust tensor regression with error bars
// (RegressionPairs).
enum Estimator { EstimatorPlain = 1, EstimatorRobust = 2, EstimatorMEstimation = 3,
                 EstimatorMedian = 6, EstimatorRegression = 7 };

// The curve one channel pair produced.
struct PairCurve {
    int channel = -1;          // 0 ExHy, 1 EyHx, 2 Ex2Hy
    QString pairName;
    int sampleFrequency = 0;   // Hz
    QVector<OneFreqImpedance> curve;
    QVector<ImpedanceErrorBar> errorBars;  // empty: no error known (the stacking estimators)
};

RecordingHeader headerOf(const RecordingInfo &info, int sampleRate);
// Tensor processing for measurement mode 1 ("矢量"), or when the settings ask for tensor
// computation and the recording has Ex, Ey, Hx and Hy.
bool isTensorRecording(const RecordingInfo &info, const ReCalculateParam &settings);
// Modes 2 and 3 pair every electric channel with one magnetic channel; the others pair Ex and
// Ex2 with Hy and Ey with Hx.
QList<OneMTSample> pairSamples(const RecordingInfo &info, const RecordingHeader &header);
// 0 for "ExHy", 1 for "EyHx", 2 for "Ex2Hy", -1 otherwise.
int pairChannel(const QString &pairName);

// The first problem with the files a pair needs (a time-series file not listed or missing, a
// calibration table missing or unusable, named with the reason), or an empty string.
QString pairFileProblem(const OneMTSample &pair);
// The same for the Ex, Ey, Hx and Hy channels of a recording, the ones tensor processing uses.
QString tensorFileProblem(const QList<MTSampleData> &channels);

// Runs the estimator on one pair. A negative FFT length or count in settings is replaced (by the
// pair's sampling frequency, by its sample count over the length) and stays replaced. False, with
// failure saying why, when the pair's files are missing or unusable, the estimator code or the
// segment length is not accepted, or the estimator gives no curve.
bool computePair(const OneMTSample &pair, int estimator, ReCalculateParam &settings,
                 PairCurve &curve, QString &failure);
// The regression (code 7) fits every pair of a recording at once, with the remote station's
// magnetic channels as reference when remote is not empty; a negative FFT length in settings is
// replaced by the pairs' sampling frequency. False, with failure set, when it gives no curve.
bool computeRegressionPairs(const QList<OneMTSample> &pairs, ReCalculateParam &settings,
                            QList<PairCurve> &curves, QString &failure,
                            const QList<RegressionChannel> &remote = {});

// Tensor processing of the recording's Ex, Ey, Hx and Hy channels (others are not used) over the
// band of its sampling rate (half-width 0.3). A negative FFT length in settings is replaced by the
// sampling frequency. False, with failure set, when one of the four is missing, the segment length
// is not accepted or no frequency could be solved.
bool computeTensor(const QList<MTSampleData> &channels, ReCalculateParam &settings,
                   Data_Calc_Tensor::BandResults &results, QString &failure);

} // namespace RecordingProcessing
