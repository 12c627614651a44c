#pragma once
// Writing a station's and a recording's results into their rows: the station's three scalar
// curves, the cleared state, and the per-pair result rows of a recording (one row per component
// pair, replaced on recomputation), each row written whole or not at all.

#include <QList>
#include <QVector>

#include "PairCurve.h"
#include "SpectralRecords.h"

class Data_SampleData;
class Data_Station;
class LibDORE;

namespace StationResults {

// Stable sort by increasing frequency.
void sortByFrequency(QVector<OneFreqImpedance> &curve);

// Sets Data_ImpedanceEx, Data_ImpedanceEy and Data_ImpedanceEx2 (not committed).
void setScalarCurves(Data_Station &station, const QVector<OneFreqImpedance> &exHy,
                     const QVector<OneFreqImpedance> &eyHx, const QVector<OneFreqImpedance> &ex2Hy);
// HasResult 0, the four result columns and the three error-bar columns empty (not committed).
void setCleared(Data_Station &station);

// Writes curve and its error bars (none: an empty column) into the recording's result row of its pair (replacing the row's curve, or
// appending a row) inside a transaction of its own, so a row is never left half written. When a
// write fails the transaction is rolled back, the recording's result rows are reloaded from the
// file, and the result is false.
bool storePairCurve(LibDORE &db, Data_SampleData &sample,
                    const PairCurve &curve);

} // namespace StationResults
