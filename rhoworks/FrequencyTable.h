#pragma once
// The output frequency tables of the pipeline: 10^(k/N) Hz rounded half up to three significant
// digits, N lines per decade, with 248 Hz in place of 251 Hz in the 10-lines-per-decade tables.

#include <QList>

#include "RhoworksExport.h"

namespace FrequencyTable {

// 10^(k/N) Hz for k = kFirst .. kLast, N = linesPerDecade, rounded as above.
RHOWORKS_EXPORT QList<double> logTable(int linesPerDecade, int kFirst, int kLast);
// The 10-lines-per-decade table of the two-argument list: 1.26 Hz .. 100000 Hz.
RHOWORKS_EXPORT QList<double> decadeTable();
// Table of mode 0..3 and its power-line list; false for any other mode.
bool modeTable(int mode, QList<double> &table, QList<double> &powerLines);
// The values of table with fmin <= value <= fmax, in table order.
RHOWORKS_EXPORT QList<double> within(const QList<double> &table, double fmin, double fmax);

}  // namespace FrequencyTable
