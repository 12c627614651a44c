#include "ProcessingFixtures.h"

#include <QFile>
#include <QTextStream>
#include <QtEndian>
#include <cmath>
#include <random>

namespace Fixtures {

bool writeFlatTable(const QString &path, double amplitude, double phaseDegrees)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out.setRealNumberPrecision(17);
    out << "# flat test table\n";
    for (double f : {1e-4, 1e6})
        out << f << ' ' << amplitude << ' ' << phaseDegrees << '\n';
    return true;
}

bool writeCounts(const QString &path, const QVector<qint32> &counts)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (qint32 count : counts) {
        const qint32 little = qToLittleEndian(count);
        file.write(reinterpret_cast<const char *>(&little), sizeof little);
    }
    return true;
}

QVector<double> randomSamples(int count, unsigned seed)
{
    std::mt19937 engine(seed);
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    QVector<double> values(count);
    for (double &value : values)
        value = uniform(engine);
    return values;
}

QList<OneFreqSpectrum> referenceSpectrum(const QVector<double> &segment, double fs)
{
    const int n = segment.size();
    QList<OneFreqSpectrum> spectrum;
    for (int k = 1; k <= n / 2; ++k) {
        std::complex<double> sum = 0.0;
        for (int i = 0; i < n; ++i) {
            const double taper = 0.5 + 0.5 * std::cos(3.1415926 * i / n);  // the system's pi
            sum += segment[i] * taper * std::polar(1.0, -2.0 * M_PI * double(k) * i / n);
        }
        spectrum.append({k * fs / n, std::abs(sum) * std::sqrt(2.0 / (n * fs)), std::arg(sum)});
    }
    return spectrum;
}

QList<OneFreqSpectrum> divided(const QList<OneFreqSpectrum> &spectrum, double gain, double phaseRadians)
{
    QList<OneFreqSpectrum> result;
    for (const OneFreqSpectrum &line : spectrum)
        result.append({line.freq, line.amplitude / gain, line.phase - phaseRadians});
    return result;
}

std::complex<double> complexOf(const OneFreqSpectrum &line)
{
    return std::polar(line.amplitude, line.phase);
}

bool closeTo(double actual, double expected, double relative, QString *message)
{
    const double difference = std::fabs(actual - expected);
    *message = QStringLiteral("actual %1, expected %2, difference %3")
                   .arg(actual, 0, 'g', 15).arg(expected, 0, 'g', 15).arg(difference, 0, 'g', 3);
    return difference <= relative * std::fabs(expected);
}

bool closeTo(std::complex<double> actual, std::complex<double> expected, double relative, QString *message)
{
    const double difference = std::abs(actual - expected);
    *message = QStringLiteral("actual (%1, %2), expected (%3, %4), difference %5")
                   .arg(actual.real(), 0, 'g', 15).arg(actual.imag(), 0, 'g', 15)
                   .arg(expected.real(), 0, 'g', 15).arg(expected.imag(), 0, 'g', 15)
                   .arg(difference, 0, 'g', 3);
    return difference <= relative * std::abs(expected);
}

} // namespace Fixtures
