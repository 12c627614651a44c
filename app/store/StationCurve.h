#pragma once
// One stored result curve of one station, as collected over a line for the exports.

#include "SpectralRecords.h"

#include <QString>
#include <QVector>

struct StationCurve {
    double stationNum = 0.0;  // the station's StationNum widened to double
    QString component;        // "Ex" (ExHy), "Ex2" (Ex2Hy) or "Ey" (EyHx)
    QVector<OneFreqImpedance> curve;
};
