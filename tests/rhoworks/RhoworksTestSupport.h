#pragma once
// Helpers shared by the Rhoworks test classes: complex literals, tolerant comparisons and the
// channel and calibration files the pipeline reads, written into a temporary folder.

#include <QMetaType>
#include <QString>
#include <QVector>
#include <cmath>
#include <limits>

#include "Rhoworks.h"
#include "SpectralRecords.h"

namespace RhoworksTest {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

inline gsl_complex cx(double re, double im = 0.0)
{
    gsl_complex z;
    GSL_SET_COMPLEX(&z, re, im);
    return z;
}

// Equal within a relative tolerance (absolute below 1), or both NaN.
inline bool near(double actual, double expected, double relTol)
{
    if (std::isnan(expected) || std::isnan(actual))
        return std::isnan(expected) && std::isnan(actual);
    return std::fabs(actual - expected) <= relTol * std::max(1.0, std::fabs(expected));
}

inline QString mismatch(const QString &what, double actual, double expected)
{
    return QStringLiteral("%1: actual %2, expected %3, difference %4")
        .arg(what).arg(actual, 0, 'g', 17).arg(expected, 0, 'g', 17)
        .arg(actual - expected, 0, 'g', 3);
}

// Converter scale of the recorder in mV per count, written from the converter's full scale and
// word length: 2500 mV over 2^31 below 4096 Hz, 3000 mV over 2^23 from 4096 Hz.
inline double countsScale(double fs)
{
    return fs < 4096 ? 2500.0 / std::pow(2.0, 31) : 3000.0 / std::pow(2.0, 23);
}

// Writes samples given in mV as a text channel file of counts (the reader multiplies by the
// converter scale of fs). False when the file cannot be written.
bool writeChannel(const QString &path, const QVector<double> &millivolts, double fs);
// A calibration table with amplitude 1 and phase 0 from fmin to fmax Hz.
bool writeUnitTable(const QString &path, double fmin, double fmax);
// A table of rows (frequency Hz, amplitude, phase in degrees).
bool writeTable(const QString &path, const QVector<QVector<double>> &rows);
// Whether f is one of the dead frequencies, whose records are replaced from their neighbours.
bool isDeadFrequency(double f);
// count samples of uniform noise in [-amplitude, amplitude] mV, reproducible from seed.
QVector<double> noise(int count, double amplitude, quint32 seed);

int runFrequencyTableTests(int argc, char **argv);
int runHelperTests(int argc, char **argv);
int runEstimatorTests(int argc, char **argv);
int runCurveRepairTests(int argc, char **argv);
int runPipelineTests(int argc, char **argv);

}  // namespace RhoworksTest

namespace RhoworksTest {

enum class Method { Plain, MEstimation, Robust, Median };

// The files of one computation: two channels and four calibration tables.
struct PairFiles {
    QString e;
    QString h;
    QString eSensor;
    QString hSensor;
    QString eGain;
    QString hGain;
};

// Options of one run beyond the files, with the values most tests use.
struct RunOptions {
    double fs = 1024;
    int n = 1024;
    int mode = 0;
    double dipoleLength = 1000;  // mV to mV/km is then the identity
    bool useESensor = true;
    bool removeTrend = false;
    int segmentCount = 0;
    double readerValue = 0;
};

// Writes channels (mV) and unit tables spanning 1e-4 Hz .. 1e6 Hz into dir under stem.
PairFiles writePair(const QString &dir, const QString &stem, const QVector<double> &eMillivolts,
                    const QVector<double> &hMillivolts, double fs);
bool runMethod(Rhoworks &rhoworks, Method method, const PairFiles &files, const RunOptions &options);
QString methodName(Method method);

}  // namespace RhoworksTest

Q_DECLARE_METATYPE(RhoworksTest::Method)
