#pragma once
// The regression estimator over whole recordings: reads the channel files as one stream
// (SampleSourceFile), runs the decimation cascade (DecimationCascade) with tapered, overlapping
// segments (SegmentTransform), calibrates each segment's lines with the channel's sensor and gain
// tables resampled onto that level's lines (CalibrationLines, as the stacking estimators do),
// gathers each planned band's coefficients (RegressionBandPlan, BandCoefficients) and fits every
// output channel on the inputs by robust regression (RobustRegression).
//
// Memory stays bounded by the bands' row limits and a few segments per level, so an hour at
// 24 kHz streams through in constant space. One FFT plan of the segment length serves all levels
// and channels. Synchronous; one thread.

#include <QString>
#include <QVector>

#include "RegressionRequest.h"

namespace RegressionEstimator {

// The estimates of every planned frequency at which all outputs could be fitted, in increasing
// frequency. False, with failure saying why for the operator, when a file or table cannot be
// read, the channels are too short for a single level of segments, or the run was cancelled.
bool run(const RegressionRequest &request, QVector<RegressionEstimate> &estimates, QString &failure);

// Samples per channel that run() would use: the shortest file, limited by the request.
// -1 with failure set when a file cannot be read.
long long usableSamples(const RegressionRequest &request, QString &failure);

}  // namespace RegressionEstimator
