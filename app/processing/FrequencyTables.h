#pragma once
// The fixed target-frequency tables of the processing drivers: ten frequencies per decade with the
// mantissas 1.0, 1.26, 1.58, 2.0, 2.51, 3.16, 3.98, 5.01, 6.31, 7.94, except that 248 Hz stands in
// place of 251 Hz. They are stretches of the resistivity pipeline's 10-lines-per-decade table.

#include <QList>

#include "FrequencyTable.h"

namespace FrequencyTables {

// 71 frequencies (Hz) from 0.01 to 100000, for the band-averaged station spectrum.
const QList<double> &standardFrequencies();
// 50 frequencies (Hz) from 1.26 to 100000, the targets of the tensor processing.
const QList<double> &tensorFrequencies();
// The entries f of table with lower <= f <= upper, in table order.
using FrequencyTable::within;

} // namespace FrequencyTables
