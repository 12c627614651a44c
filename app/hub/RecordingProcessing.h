#pragma once
// The recording processing flow's computations: a recording's descriptors (built once when it is
// opened), which processing it gets, a check that every file it needs is there, the scalar
// estimators of Rhoworks per channel pair and the tensor processing. Nothing here touches the
// database; a failure comes back as a sentence saying what is wrong, for the operator.
//
// A recomputation is gathered from the project into a Work on the database thread, computed
// (compute, any thread, several recordings at once if wanted) into an Outcome, and stored on the
// database thread again; the hub does the first and last steps.
//
// File paths of the descriptors are relative to the working folder, as the readers resolve them.

#include <QList>
#include <QString>
#include <QStringList>
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

// The first problem with the files a pair needs (a time-series file not listed or missing, a
// calibration table missing or unusable, named with the reason), or an empty string.
QString pairFileProblem(const OneMTSample &pair);
// The same for the Ex, Ey, Hx and Hy channels of a recording, the ones tensor processing uses.
QString tensorFileProblem(const QList<MTSampleData> &channels);

// The outcome of a recording's pairs: the curves of the pairs that gave one and, for each pair
// that did not, "<pair>: <cause>".
struct PairResults {
    QList<PairCurve> curves;
    QStringList failed;
};

// Runs the estimator (code 1, 2, 3 or 6) on one pair. A negative FFT length or count in settings
// is replaced (by the pair's sampling frequency, by its sample count over the length) and stays
// replaced. keepGoing (when set) is asked between segments; false stops the estimator. False,
// with failure saying why, when the pair's files are missing or unusable, the estimator code or
// the segment length is not accepted, the estimator gives no curve or it was stopped.
bool computePair(const OneMTSample &pair, int estimator, ReCalculateParam &settings,
                 const WorkFeedback::Step &keepGoing, PairCurve &curve, QString &failure);
// computePair over every pair of a recording in order, each pair an equal share of feedback's
// progress. Once feedback is cancelled the pairs still to come are not run; the caller discards
// the results.
PairResults computePairs(const QList<OneMTSample> &pairs, int estimator, ReCalculateParam &settings,
                         WorkFeedback &feedback);
// The pairs whose files are all there and usable; each other pair is added to failed with its
// problem.
QList<OneMTSample> usablePairs(const QList<OneMTSample> &pairs, QStringList &failed);
// The regression (code 7) fits every pair of a recording at once, with the remote station's
// magnetic channels as reference when remote is not empty; a negative FFT length in settings is
// replaced by the pairs' sampling frequency. False, with failure set, when it gives no curve.
bool computeRegressionPairs(const QList<OneMTSample> &pairs, ReCalculateParam &settings,
                            QList<PairCurve> &curves, QString &failure,
                            const QList<RegressionChannel> &remote = {});

// Tensor processing of the recording's Ex, Ey, Hx and Hy channels (others are not used) over the
// band of its sampling rate (half-width 0.3). A negative FFT length in settings is replaced by the
// sampling frequency. False, with failure set, when one of the four is missing, the segment length
// is not accepted or no frequency could be solved. Progress goes to feedback; a cancelled
// feedback stops the reading between segments (false).
bool computeTensor(const QList<MTSampleData> &channels, ReCalculateParam &settings,
                   WorkFeedback &feedback, Data_Calc_Tensor::BandResults &results,
                   QString &failure);

// What recomputing one recording needs, gathered from the project, with the recording's place in
// the project (the hub's positions) for storing what it gives.
struct Work {
    int linePosition = -1;
    int stationPosition = -1;
    int recordingPosition = -1;
    Recording recording;
    ReCalculateParam settings;
    int estimator = EstimatorPlain;
    bool tensor = false;
    // Why the recording cannot be recomputed at all (its recording table is missing or
    // unreadable); it is then not computed.
    QString refusal;
    // The regression's pairs whose files are all there, and its remote reference channels.
    QList<OneMTSample> regressionPairs;
    QList<RegressionChannel> remote;
    // Pairs found unusable while gathering, "<pair>: <cause>", or the remote reference's problem.
    QStringList failed;
};

// What computing a recording gave: its pairs' curves and failures, or its tensor results (or why
// there are none).
struct Outcome {
    PairResults pairs;
    bool tensorSolved = false;
    Data_Calc_Tensor::BandResults tensorResults;
    QString tensorFailure;
};

// Computes the work with a copy of its settings (the FFT length and count settled for the
// recording do not leave it): the tensor processing, the regression or the stacking estimator per
// pair. Touches neither the database nor the hub, so it may run on any thread; progress and
// cancellation go through feedback, and a cancelled outcome is to be discarded.
Outcome compute(const Work &work, WorkFeedback &feedback);

} // namespace RecordingProcessing
