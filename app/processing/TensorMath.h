#pragma once
// Band averaging of cross-power matrices and the 2 x 2 impedance tensor solved from them.
// Matrix rows and columns 0 to 3 are Ex, Ey, Hx, Hy; [i][j] is channel i times conj(channel j).

#include <QVector>

#include "TensorCrossPower.h"
#include "TensorImpedance.h"

namespace TensorMath {

// Parzen-weighted mean of the matrices whose frequency lies strictly inside the band of
// half-width f0 * r around f0, element by element; the size is that of the first selected matrix
// and matrices of another size are left out. freq = f0; the matrix is empty when the band holds no
// usable record.
TensorCrossPower bandAverageMatrix(double f0, const QVector<TensorCrossPower> &records, double r);

// Solves Z = <E H*> <H H*>^-1 and gives each element's apparent resistivity |Z|^2 * 0.2 / f and
// phase atan2(Im Z, Re Z) in degrees. False (impedance untouched) when the matrix is smaller than
// 4 x 4, holds a non-finite value, or its magnetic part is singular: |det| at most 1e-12 times
// <Hx Hx> <Hy Hy>.
bool solveImpedance(const TensorCrossPower &record, TensorImpedance &impedance);

// The record's impedance, with NaN in every element when it cannot be solved.
TensorImpedance impedanceOf(const TensorCrossPower &record);

} // namespace TensorMath
