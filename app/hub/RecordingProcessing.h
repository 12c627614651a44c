#pragma once
// The recording processing flow's computations: a recording's descriptors (built once when it is
// opened), which processing it gets, a check that every file it needs is there, the scalar
// estimators of Rhoworks per channel pair and the tensor processing. Nothing here touches the
// database; a failure comes back as a sentence saying what is wrong, for the operator.
//
// File paths of the descriptors are relative to the working folder, as the readers resolve them.

#include <QList>
#include <QString>
#include <QVector>

#include "Data_Calc_Tensor.h"
#include "PairCurve.h"
#include "ProcessingRecords.h"
#include "RecordingHeader.h"
#include "RegressionRequest.h"
#include "Rhoworks.h"
#include "SpectralRecords.h"
#include "WorkFeedback.h"

namespace RecordingProcessing {

// Estimator codes of the stacking switch: Rhoworks's four, and 7, the robust tensor regression
// with error bars (RegressionPairs).
enum Estimator { EstimatorPlain = Rhoworks::EstimatorPlain, EstimatorRobust = Rhoworks::EstimatorRobust,
                 EstimatorMEstimation = Rhoworks::EstimatorMEstimation,
                 EstimatorMedian = Rhoworks::EstimatorMedian, EstimatorRegression = 7 };

// An opened recording: its header and the channel and pair descriptors built from it.
struct Recording {
    RecordingHeader header;
    QList<MTSampleData> channels;
    QList<OneMTSample> pairs;
};

// The descriptors of the recording header describes. Modes 2 and 3 pair every electric channel
// with one magnetic channel; the others pair Ex and Ex2 with Hy and Ey with Hx.
Recording describe(const RecordingHeader &header);
// Tensor processing for measurement mode 1 ("矢量"), or when the settings ask for tensor
// computation and the recording has Ex, Ey, Hx and Hy.
bool isTensorRecording(const RecordingHeader &header, const ReCalculateParam &settings);
// 0 for "ExHy", 1 for "EyHx", 2 for "Ex2Hy", -1 otherwise.
int pairChannel(const QString &pairName);

// The first problem with the files the descriptors name (a time-series file not listed or
// missing, a calibration table missing), or an empty string when all are there.
QString missingFile(const QList<OneMTSample> &pairs);
QString missingFile(const QList<MTSampleData> &channels);

// Runs the estimator on every pair in order (the regression, code 7, fits all pairs at once,
// with the remote station's magnetic channels as reference when remote is not empty). A negative FFT length or count in settings is
// replaced (by the pair's sampling frequency, by its sample count over the length) and stays
// replaced. All pairs must give a curve: on the first that does not, false with failure set and
// curves left incomplete. Progress goes to feedback, each pair an equal share; a cancelled
// feedback stops the estimator between segments (false).
bool computePairs(const QList<OneMTSample> &pairs, int estimator, ReCalculateParam &settings,
                  WorkFeedback &feedback, QList<PairCurve> &curves, QString &failure,
                  const QList<RegressionChannel> &remote = {});

// Tensor processing of the recording's channels over the band of its sampling rate (half-width
// 0.3). A negative FFT length in settings is replaced by the sampling frequency. False, with
// failure set, when Ex, Ey, Hx or Hy is missing or no frequency could be solved. Progress goes to
// feedback; a cancelled feedback stops the reading between segments (false).
bool computeTensor(const QList<MTSampleData> &channels, ReCalculateParam &settings,
                   WorkFeedback &feedback, Data_Calc_Tensor::BandResults &results,
                   QString &failure);

} // namespace RecordingProcessing
