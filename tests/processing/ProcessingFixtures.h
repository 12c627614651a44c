#pragma once
// Fixtures and slow reference computations shared by the processing tests.

#include <QList>
#include <QString>
#include <QVector>
#include <complex>

#include "SpectralRecords.h"

namespace Fixtures {

// A calibration table with one amplitude and phase (degrees) from 1e-4 Hz to 1e6 Hz.
bool writeFlatTable(const QString &path, double amplitude, double phaseDegrees);
// A binary recording: little-endian signed 32-bit counts.
bool writeCounts(const QString &path, const QVector<qint32> &counts);
// Reproducible values uniformly spread in [-1, 1].
QVector<double> randomSamples(int count, unsigned seed);

// Spectrum of a segment by a direct DFT of the segment tapered with 0.5 + 0.5 cos(pi i / n)
// (pi written 3.1415926 as everywhere in the system):
// lines k = 1 .. n/2, amplitude |X_k| sqrt(2 / (n fs)), phase arg X_k.
QList<OneFreqSpectrum> referenceSpectrum(const QVector<double> &segment, double fs);
// The spectrum divided by a flat transfer function: amplitude / gain, phase - phaseRadians.
QList<OneFreqSpectrum> divided(const QList<OneFreqSpectrum> &spectrum, double gain, double phaseRadians);
std::complex<double> complexOf(const OneFreqSpectrum &line);

// Relative comparison with a message giving both values.
bool closeTo(double actual, double expected, double relative, QString *message);
bool closeTo(std::complex<double> actual, std::complex<double> expected, double relative, QString *message);

} // namespace Fixtures

#define QCLOSE(actual, expected, relative)                                                 \
    do {                                                                                   \
        QString closeMessage_;                                                             \
        QVERIFY2(Fixtures::closeTo((actual), (expected), (relative), &closeMessage_),      \
                 qPrintable(closeMessage_));                                               \
    } while (false)
