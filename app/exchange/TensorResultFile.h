#pragma once
// Text form of one record of a tensor result file: five lines per frequency.
//   "Freq  " then frequency and, for Zxx, Zxy, Zyx, Zyy in turn, apparent resistivity then phase;
//   four lines for matrix rows Ex, Ey, Hx, Hy: four spaces, then real and imaginary part of
//   columns 0 to 3.
// Numbers are written with six significant digits ('g' format) and separated by two spaces.

#include <QString>
#include <QStringList>

#include "TensorCrossPower.h"
#include "TensorImpedance.h"

namespace TensorResultFile {

constexpr int kMatrixLines = 4;
constexpr int kFrequencyFields = 10;  // the word "Freq" and nine numbers
constexpr int kMatrixFields = 8;

// The five lines of a record, each ended by "\n". Matrix elements the record lacks print as 0.
QString recordText(const TensorCrossPower &crossPower, const TensorImpedance &impedance);

// Fields of a frequency line (at least kFrequencyFields) into impedance; the word is not checked
// and text that does not convert reads as 0.
void parseFrequencyLine(const QStringList &fields, TensorImpedance &impedance);
// Fields of the matrix line of row (at least kMatrixFields) into a 4 x 4 matrix.
void parseMatrixLine(const QStringList &fields, int row, TensorCrossPower &crossPower);

} // namespace TensorResultFile
