#pragma once
// The tensor result files of a station in the working folder: "tensors/<station>" with ".HMT",
// ".MMT" and ".LMT", those that exist, and their records read back in increasing frequency.

#include <QList>
#include <QString>
#include <QStringList>

#include "TensorImpedance.h"

class OperatorDialogs;

namespace StationTensorFiles {

struct BandImpedance {
    QString band;              // "HMT", "MMT" or "LMT"
    TensorImpedance impedance;
};

// Paths of the station's band files that exist, in the order high, middle, low.
QStringList existing(float stationNum);
// The records of every existing band file, sorted by frequency (stable). False when a file
// cannot be read.
bool read(OperatorDialogs &dialogs, float stationNum, QList<BandImpedance> &records);

} // namespace StationTensorFiles
