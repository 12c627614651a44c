#pragma once
// A station's result curves: Ex-Hy, Ey-Hx, Ex2-Hy and the multi-polarity curve, with the error
// bars of the three scalar curves (empty where no error is known), as stored in the station's row
// or assembled from its recordings' results (Data_Station).

#include <QVector>

#include "ImpedanceErrorBar.h"
#include "SpectralRecords.h"

struct StationCurves {
    QVector<OneFreqImpedance> exHy;
    QVector<OneFreqImpedance> eyHx;
    QVector<OneFreqImpedance> ex2Hy;
    QVector<OneFreqImpedance> multiPolarity;
    QVector<ImpedanceErrorBar> exHyBars;
    QVector<ImpedanceErrorBar> eyHxBars;
    QVector<ImpedanceErrorBar> ex2HyBars;

    // True when Ex-Hy, Ey-Hx and Ex2-Hy are all empty.
    bool scalarEmpty() const { return exHy.isEmpty() && eyHx.isEmpty() && ex2Hy.isEmpty(); }
};
