#pragma once
// The averaged cross-power matrix of all processed channels of a recording at one frequency.
// Rows and columns follow the channel codes (Ex, Ey, Hx, Hy, then Ex2 when processed); element
// [i][j] is channel i times the complex conjugate of channel j, so the matrix is Hermitian.

#include <QMetaType>
#include <QVector>
#include <gsl/gsl_complex.h>

struct TensorCrossPower {
    double freq = 0.0;                          // Hz
    QVector<QVector<gsl_complex>> matrix;       // square; empty when no value could be formed
};

Q_DECLARE_METATYPE(TensorCrossPower)
