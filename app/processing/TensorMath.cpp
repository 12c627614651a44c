#include "TensorMath.h"

#include <cmath>
#include <gsl/gsl_complex_math.h>
#include <limits>

#include "ParzenKernel.h"
#include "SpectralMath.h"

namespace {

using Matrix = QVector<QVector<gsl_complex>>;

bool isSquare(const Matrix &matrix, int size)
{
    if (matrix.size() != size)
        return false;
    for (const QVector<gsl_complex> &row : matrix)
        if (row.size() != size)
            return false;
    return true;
}

bool isFinite(gsl_complex z)
{
    return std::isfinite(GSL_REAL(z)) && std::isfinite(GSL_IMAG(z));
}

// Adds w times the record's matrix into sum.
void addWeighted(Matrix &sum, const Matrix &matrix, double w)
{
    for (int i = 0; i < sum.size(); ++i)
        for (int j = 0; j < sum.size(); ++j)
            sum[i][j] = gsl_complex_add(sum[i][j], gsl_complex_mul_real(matrix[i][j], w));
}

// Apparent resistivity and phase of one element at f.
void toRhoPhase(gsl_complex z, double f, double &rho, double &phase)
{
    rho = gsl_complex_abs2(z) * 0.2 / f;
    phase = std::atan2(GSL_IMAG(z), GSL_REAL(z)) / SpectralMath::kPi * 180.0;
}

// (a b - c d) / det
gsl_complex cofactorRatio(gsl_complex a, gsl_complex b, gsl_complex c, gsl_complex d,
                          gsl_complex det)
{
    return gsl_complex_div(gsl_complex_sub(gsl_complex_mul(a, b), gsl_complex_mul(c, d)), det);
}

} // namespace

namespace TensorMath {

TensorCrossPower bandAverageMatrix(double f0, const QVector<TensorCrossPower> &records, double r)
{
    const double h = f0 * r;
    TensorCrossPower result;
    result.freq = f0;
    Matrix sum;
    double weights = 0.0;
    for (const TensorCrossPower &record : records) {
        if (!ParzenKernel::inside(f0, record.freq, h) || record.matrix.isEmpty())
            continue;
        if (sum.isEmpty())
            sum = Matrix(record.matrix.size(),
                         QVector<gsl_complex>(record.matrix.size(), gsl_complex_rect(0.0, 0.0)));
        if (!isSquare(record.matrix, sum.size()))
            continue;
        const double w = ParzenKernel::weight(f0, record.freq, h);
        addWeighted(sum, record.matrix, w);
        weights += w;
    }
    if (!(weights > 0.0))
        return result;
    for (QVector<gsl_complex> &row : sum)
        for (gsl_complex &element : row)
            element = gsl_complex_div_real(element, weights);
    result.matrix = sum;
    return result;
}

bool solveImpedance(const TensorCrossPower &record, TensorImpedance &impedance)
{
    const Matrix &m = record.matrix;
    if (m.size() < 4 || !isSquare(m, m.size()))
        return false;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (!isFinite(m[i][j]))
                return false;
    enum { Ex = 0, Ey = 1, Hx = 2, Hy = 3 };
    const gsl_complex det = gsl_complex_sub(gsl_complex_mul(m[Hx][Hx], m[Hy][Hy]),
                                            gsl_complex_mul(m[Hx][Hy], m[Hy][Hx]));
    const double scale = gsl_complex_abs(m[Hx][Hx]) * gsl_complex_abs(m[Hy][Hy]);
    if (!(gsl_complex_abs(det) > 1e-12 * scale) || !(record.freq > 0))
        return false;
    const gsl_complex zxx = cofactorRatio(m[Ex][Hx], m[Hy][Hy], m[Ex][Hy], m[Hy][Hx], det);
    const gsl_complex zxy = cofactorRatio(m[Ex][Hy], m[Hx][Hx], m[Ex][Hx], m[Hx][Hy], det);
    const gsl_complex zyx = cofactorRatio(m[Ey][Hx], m[Hy][Hy], m[Ey][Hy], m[Hy][Hx], det);
    const gsl_complex zyy = cofactorRatio(m[Ey][Hy], m[Hx][Hx], m[Ey][Hx], m[Hx][Hy], det);
    const double f = record.freq;
    impedance.freq = f;
    toRhoPhase(zxx, f, impedance.rhoXX, impedance.phaseXX);
    toRhoPhase(zxy, f, impedance.rhoXY, impedance.phaseXY);
    toRhoPhase(zyx, f, impedance.rhoYX, impedance.phaseYX);
    toRhoPhase(zyy, f, impedance.rhoYY, impedance.phaseYY);
    return true;
}

TensorImpedance impedanceOf(const TensorCrossPower &record)
{
    TensorImpedance impedance;
    if (solveImpedance(record, impedance))
        return impedance;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return TensorImpedance{record.freq, nan, nan, nan, nan, nan, nan, nan, nan};
}

} // namespace TensorMath
