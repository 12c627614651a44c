#pragma once
// The tensor result files of a station in the working folder: "tensors/<station>" followed by the
// band's extension ".HMT", ".MMT" or ".LMT" (the station number in the project's general format),
// those that exist, and their records read back in increasing frequency.

#include <QList>
#include <QString>
#include <QStringList>

#include "TensorImpedance.h"
#include "TensorResultBand.h"

class OperatorDialogs;

namespace StationTensorFiles {

struct BandImpedance {
    QString band;              // "HMT", "MMT" or "LMT"
    TensorImpedance impedance;
};

// "tensors/<station><extension>", relative to the working folder.
QString path(float stationNum, TensorResultBand band);
// Paths of the station's band files that exist, in the order high, middle, low.
QStringList existing(float stationNum);
// The records of every existing band file, sorted by frequency (stable). False when a file
// cannot be read.
bool read(OperatorDialogs &dialogs, float stationNum, QList<BandImpedance> &records);

} // namespace StationTensorFiles
