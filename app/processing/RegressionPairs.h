#pragma once
// The regression estimator over the channel pairs of one recording, as the recording processing
// hands them over (OneMTSample descriptors): one fit of every electric channel on the recording's
// magnetic channels gives every pair's curve. With both Hx (the EyHx pair's) and Hy (the ExHy and
// Ex2Hy pairs') the fit is the full tensor and a pair's curve is its off-diagonal element (Zxy
// for ExHy and Ex2Hy, Zyx for EyHx); when all pairs share one magnetic channel (the single-H
// measurement modes) each electric channel is fitted on that one.
//
// The settings cut the recording as the stacking estimators' reader does: at most the pair's
// sample count, and at most FFT count x FFT length samples when the count is positive (-1, all
// data: the whole files). The frequency table follows the settings' frequency density; the FFT
// length only enters the band rule of recorders above 50 kHz (the regression's own segments are
// 128 samples at every decimation level).

#include <QList>
#include <QString>
#include <QVector>

#include "ImpedanceErrorBar.h"
#include "ProcessingRecords.h"
#include "RegressionRequest.h"
#include "SpectralRecords.h"

namespace RegressionPairs {

struct PairResult {
    QString pairName;
    QVector<OneFreqImpedance> curve;
    QVector<ImpedanceErrorBar> errorBars;
};

// The request of the recording's pairs (settings already settled: FFT length positive), with the
// remote station's magnetic channels in the order the fit's inputs take (Hx, Hy; or the one H).
RegressionRequest requestFor(const QList<OneMTSample> &pairs, const ReCalculateParam &settings,
                             const QList<RegressionChannel> &remote = {});

// Curves of every pair named "ExHy", "EyHx" or "Ex2Hy", in pair order. False, with failure for the
// operator, when the regression cannot run or fits no frequency.
bool compute(const QList<OneMTSample> &pairs, const ReCalculateParam &settings,
             QList<PairResult> &results, QString &failure,
             const QList<RegressionChannel> &remote = {});

}  // namespace RegressionPairs
