#pragma once
// Shared by the Rhoworks tests: tolerant comparison, the channel and calibration files the pipeline reads
// (written into a temporary folder) and one entry point for the four computation methods.

#include <QFile>
#include <QRandomGenerator>
#include <QTextStream>
#include <algorithm>
#include <array>
#include <cmath>
#include <gsl/gsl_complex_math.h>

#include "Rhoworks.h"

namespace RhoworksTest {

// Equal within a relative tolerance (absolute below 1), or both NaN; prints both when not.
inline bool near(double actual, double expected, double relTol, const QString &what = QString())
{
    const bool ok = std::isnan(expected) ? std::isnan(actual)
                                         : std::fabs(actual - expected) <= relTol * std::max(1.0, std::fabs(expected));
    if (!ok)
        qWarning("%s actual %.17g, expected %.17g", qPrintable(what), actual, expected);
    return ok;
}

inline gsl_complex cx(double re, double im = 0.0) { return gsl_complex_rect(re, im); }

// values / scale, columns to a line: calibration tables of frequency (Hz), amplitude and phase (degrees),
// or channel files of counts.
inline void writeRows(const QString &path, const QVector<double> &values, int columns, double scale = 1)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
    QTextStream out(&file);
    out.setRealNumberPrecision(17);
    for (int i = 0; i < values.size(); ++i)
        out << values[i] / scale << ((i + 1) % columns ? ' ' : '\n');
}

inline QVector<double> noise(int count, double amplitude, quint32 seed)
{
    QRandomGenerator random(seed);
    QVector<double> samples(count);
    for (double &x : samples)
        x = amplitude * (2 * random.generateDouble() - 1);
    return samples;
}

// The frequencies whose records are replaced from their neighbours.
inline bool isDeadFrequency(double f)
{
    const QVector<double> dead{2000, 2510, 3160, 3980, 39.8, 50.1, 63.1, 79.4, 126, 158, 200};
    return std::any_of(dead.begin(), dead.end(), [f](double d) { return std::fabs(f - d) < 1e-5; });
}

enum class Method { Plain, MEstimation, Robust, Median };
const QList<Method> kMethods{Method::Plain, Method::MEstimation, Method::Robust, Method::Median};
inline const char *methodName(Method method)
{
    return std::array<const char *, 4>{{"plain", "M-estimation", "robust", "median"}}[size_t(method)];
}

struct PairFiles {
    QString e, h, eSensor, hSensor, eGain, hGain;
};

struct RunOptions {
    double fs = 1024;
    int n = 1024;
    int mode = 0;
    double dipoleLength = 1000;  // mV to mV/km is then the identity
    bool useESensor = true;
};

// Channels in mV as counts of the converter (2500 mV / 2^31 below 4096 Hz, 3000 mV / 2^23 above) and flat
// unit tables over 1e-4 Hz .. 1e6 Hz, written into dir under stem.
inline PairFiles writePair(const QString &dir, const QString &stem, const QVector<double> &eMillivolts,
                           const QVector<double> &hMillivolts, double fs)
{
    const QString base = dir + "/" + stem;
    const PairFiles files{base + "_E0.txt", base + "_Hy.txt", base + "-Ex-sensor.txt",
                          base + "-Hy-sensor.txt", base + "-Ex-gain.txt", base + "-Hy-gain.txt"};
    const double mvPerCount = fs < 4096 ? 2500 / std::pow(2.0, 31) : 3000 / std::pow(2.0, 23);
    writeRows(files.e, eMillivolts, 1, mvPerCount);
    writeRows(files.h, hMillivolts, 1, mvPerCount);
    for (const QString &table : {files.eSensor, files.hSensor, files.eGain, files.hGain})
        writeRows(table, {1e-4, 1, 0, 1e6, 1, 0}, 3);
    return files;
}

inline bool runMethod(Rhoworks &rhoworks, Method method, const PairFiles &f, const RunOptions &o)
{
    using Computation = bool (Rhoworks::*)(QString, QString, double, double, double, QString, QString,
                                           QString, QString, bool, int, int, bool, bool, int);
    static const Computation computations[] = {
        &Rhoworks::Calc_CagniardResistivity, &Rhoworks::Calc_CagniardResistivityMEstimation,
        &Rhoworks::Calc_CagniardResistivityRobust, &Rhoworks::Calc_CagniardResistivityMedian};
    return (rhoworks.*computations[int(method)])(f.e, f.h, o.fs, 0, o.dipoleLength, f.eSensor, f.hSensor, f.eGain,
                                                 f.hGain, o.useESensor, o.n, 0, false, false, o.mode);
}

}  // namespace RhoworksTest

Q_DECLARE_METATYPE(RhoworksTest::Method)
