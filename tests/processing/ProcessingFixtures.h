#pragma once
// Fixtures and slow reference computations shared by the processing tests.

#include <QFile>
#include <QTextStream>
#include <QVector>
#include <QtEndian>
#include <cmath>
#include <complex>
#include <random>

#include "SpectralRecords.h"

using cd = std::complex<double>;
using CMatrix = QVector<QVector<cd>>;

namespace Fixtures {

// A calibration table with one amplitude and phase (degrees) from 1e-4 Hz to 1e6 Hz.
inline bool writeFlatTable(const QString &path, double amplitude, double phaseDegrees)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream(&file) << "# flat\n1e-4 " << amplitude << ' ' << phaseDegrees << "\n1e6 "
                       << amplitude << ' ' << phaseDegrees << '\n';
    return true;
}

// Little-endian signed 32-bit counts.
inline bool writeCounts(const QString &path, const QVector<qint32> &counts)
{
    QFile file(path);
    QVector<qint32> little(counts.size());
    qToLittleEndian<qint32>(counts.constData(), counts.size(), little.data());
    return file.open(QIODevice::WriteOnly)
        && file.write(reinterpret_cast<const char *>(little.constData()), 4 * little.size()) == 4 * little.size();
}

// Reproducible values uniformly spread in [-1, 1].
inline QVector<double> randomSamples(int count, unsigned seed)
{
    std::mt19937 engine(seed);
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    QVector<double> values(count);
    for (double &value : values)
        value = uniform(engine);
    return values;
}

// Lines k = 1 .. n/2 by a direct DFT of the segment tapered with 0.5 + 0.5 cos(pi i / n) (pi
// written 3.1415926, as the system does): amplitude |X_k| sqrt(2 / (n fs)) / gain, phase
// arg X_k - phaseRadians.
inline QList<OneFreqSpectrum> referenceSpectrum(const QVector<double> &segment, double fs,
                                                double gain = 1.0, double phaseRadians = 0.0)
{
    const int n = segment.size();
    QList<OneFreqSpectrum> spectrum;
    for (int k = 1; k <= n / 2; ++k) {
        cd sum = 0.0;
        for (int i = 0; i < n; ++i)
            sum += segment[i] * (0.5 + 0.5 * std::cos(3.1415926 * i / n))
                   * std::polar(1.0, -2.0 * M_PI * double(k) * i / n);
        spectrum.append({k * fs / n, std::abs(sum) * std::sqrt(2.0 / (n * fs)) / gain,
                         std::arg(sum) - phaseRadians});
    }
    return spectrum;
}

inline cd complexOf(const OneFreqSpectrum &line) { return std::polar(line.amplitude, line.phase); }

// Mean over segments of v_i conj(v_j); values[s] holds the channels' values in segment s.
inline CMatrix meanProducts(const QList<QVector<cd>> &values)
{
    const int size = values.first().size();
    CMatrix mean(size, QVector<cd>(size));
    for (const QVector<cd> &v : values)
        for (int i = 0; i < size; ++i)
            for (int j = 0; j < size; ++j)
                mean[i][j] += v[i] * std::conj(v[j]) / double(values.size());
    return mean;
}

// Empty when every element lies within relative times the largest expected element, else the
// first element that does not.
inline QString matrixMismatch(const QVector<QVector<gsl_complex>> &actual, const CMatrix &expected, double relative)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1, expected %2").arg(actual.size()).arg(expected.size());
    double largest = 0.0;
    for (const QVector<cd> &row : expected)
        for (cd z : row)
            largest = std::max(largest, std::abs(z));
    for (int i = 0; i < expected.size(); ++i)
        for (int j = 0; j < expected.size(); ++j)
            if (!(std::abs(cd(GSL_REAL(actual[i][j]), GSL_IMAG(actual[i][j])) - expected[i][j]) <= relative * largest))
                return QStringLiteral("element [%1][%2]").arg(i).arg(j);
    return QString();
}

} // namespace Fixtures

#define QCLOSE(actual, expected, relative)                                                      \
    QVERIFY2(std::fabs((actual) - (expected)) <= (relative) * std::fabs(expected),              \
             qPrintable(QStringLiteral("actual %1, expected %2").arg(actual, 0, 'g', 15).arg(expected, 0, 'g', 15)))
