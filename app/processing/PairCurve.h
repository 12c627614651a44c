#pragma once
// The curve one channel pair of a recording produced, with its error bars when the estimator
// gives them.

#include <QString>
#include <QVector>

#include "ImpedanceErrorBar.h"
#include "SpectralRecords.h"

struct PairCurve {
    int channel = -1;          // 0 ExHy, 1 EyHx, 2 Ex2Hy
    QString pairName;
    int sampleFrequency = 0;   // Hz
    QVector<OneFreqImpedance> curve;
    QVector<ImpedanceErrorBar> errorBars;  // empty: no error known (the stacking estimators)
};
