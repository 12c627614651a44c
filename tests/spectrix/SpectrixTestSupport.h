#pragma once
// Helpers shared by the Spectrix test classes: complex literals, records, NaN-aware comparisons.

#include "SpectralRecords.h"

#include <QString>
#include <QVector>

#include <cmath>
#include <limits>

namespace SpectrixTest {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

inline gsl_complex cx(double re, double im = 0.0)
{
    gsl_complex z;
    GSL_SET_COMPLEX(&z, re, im);
    return z;
}

inline OneFreqCrossPower crossPowerRecord(double freq, QVector<gsl_complex> entries)
{
    OneFreqCrossPower record;
    record.freq = freq;
    record.crossPower = entries;
    return record;
}

// Equal within tol (absolute), or both NaN, or the same infinity.
inline bool near(double actual, double expected, double tol)
{
    if (std::isnan(expected) || std::isnan(actual))
        return std::isnan(expected) && std::isnan(actual);
    if (std::isinf(expected) || std::isinf(actual))
        return actual == expected;
    return std::fabs(actual - expected) <= tol;
}

inline bool near(gsl_complex actual, gsl_complex expected, double tol)
{
    return near(GSL_REAL(actual), GSL_REAL(expected), tol) && near(GSL_IMAG(actual), GSL_IMAG(expected), tol);
}

inline QString describe(gsl_complex z)
{
    return QStringLiteral("(%1, %2)").arg(GSL_REAL(z), 0, 'g', 17).arg(GSL_IMAG(z), 0, 'g', 17);
}

inline QString mismatch(const QString &what, double actual, double expected)
{
    return QStringLiteral("%1: actual %2, expected %3, difference %4")
        .arg(what).arg(actual, 0, 'g', 17).arg(expected, 0, 'g', 17).arg(actual - expected, 0, 'g', 3);
}

int runWindowFftTests(int argc, char **argv);
int runCrossPowerTests(int argc, char **argv);
int runImpedanceTests(int argc, char **argv);
int runRecordTests(int argc, char **argv);

} // namespace SpectrixTest
