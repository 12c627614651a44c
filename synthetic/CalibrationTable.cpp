#include "CalibrationTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cmath>

#include "TextFileOutput.h"

namespace {

double asWritten(double value)
{
    return QString::number(value, 'g', CalibrationTable::significantDigits).toDouble();
}

// Linear interpolation of (amplitude, phase) between rows lo and lo + 1.
std::complex<double> interpolate(const CalibrationTable::Row &a, const CalibrationTable::Row &b,
                                 double f)
{
    const double t = (f - a.freq) / (b.freq - a.freq);
    const double amplitude = a.amplitude + t * (b.amplitude - a.amplitude);
    const double phase = a.phaseDegrees + t * (b.phaseDegrees - a.phaseDegrees);
    return std::polar(amplitude, phase * std::acos(-1.0) / 180.0);
}

std::complex<double> endValue(const CalibrationTable::Row &row)
{
    return std::polar(row.amplitude, row.phaseDegrees * std::acos(-1.0) / 180.0);
}

} // namespace

CalibrationTable CalibrationTable::fromResponse(const InstrumentResponse &response, double fmin,
                                                double fmax, int perDecade)
{
    CalibrationTable result;
    const int first = static_cast<int>(std::ceil(std::log10(fmin) * perDecade - 1e-9));
    const int last = static_cast<int>(std::floor(std::log10(fmax) * perDecade + 1e-9));
    for (int k = first; k <= last; ++k) {
        const double f = asWritten(std::pow(10.0, double(k) / perDecade));
        result.table.append(
            {f, asWritten(response.amplitude(f)), asWritten(response.phaseDegrees(f))});
    }
    return result;
}

bool CalibrationTable::write(const QString &path, const QString &header) const
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!TextFileOutput::open(file, "CalibrationTable::write"))
        return false;
    QTextStream out(&file);
    for (const QString &line : header.split(QLatin1Char('\n')))
        out << "# " << line << '\n';
    out << "# frequency(Hz)\tamplitude\tphase(degrees)\n";
    for (const Row &row : table) {
        out << QString::number(row.freq, 'g', significantDigits) << '\t'
            << QString::number(row.amplitude, 'g', significantDigits) << '\t'
            << QString::number(row.phaseDegrees, 'g', significantDigits) << '\n';
    }
    return TextFileOutput::finish(file, out, "CalibrationTable::write");
}

std::vector<std::complex<double>> CalibrationTable::responseOnLines(double fs, int n,
                                                                    int lineCount) const
{
    std::vector<std::complex<double>> lines(lineCount);
    if (table.isEmpty())
        return lines;
    int lo = 0;
    for (int k = 0; k < lineCount; ++k) {
        const double f = k * fs / n;
        while (lo + 1 < table.size() && table.at(lo + 1).freq <= f)
            ++lo;
        if (f <= table.first().freq)
            lines[k] = endValue(table.first());
        else if (lo + 1 >= table.size())
            lines[k] = endValue(table.last());
        else
            lines[k] = interpolate(table.at(lo), table.at(lo + 1), f);
    }
    return lines;
}
