#include "NLCGIODevice.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>
#include <cmath>

#include "TextFields.h"
#include "TextFileOutput.h"
#include "WholeNumbers.h"

namespace {

// The layer index of the starting model's resistivity grid: 1 for layers 0-9, 2 for 10-19, ...,
// 6 for 50-54.
int resistivityIndex(int layer)
{
    return layer / 10 + 1;
}

// Reads the next line's fields into values; false at the end of the stream.
bool appendLineValues(QTextStream &in, QVector<double> &values)
{
    if (in.atEnd())
        return false;
    for (const QString &field : splitTextFields(in.readLine()))
        values.append(field.toDouble());
    return true;
}

} // namespace

NLCGIODevice::NLCGIODevice(QObject *parent) : QObject(parent) {}

bool NLCGIODevice::writeDataFile(const QList<QVector<OneFreqImpedance>> &curves,
                                 const QString &path)
{
    QFile file(path);
    if (!TextFileOutput::open(file, "NLCGIODevice::writeDataFile"))
        return false;
    QTextStream out(&file);
    double sum = 0.0;
    int count = 0;
    out << curves.size() << '\n';
    for (const QVector<OneFreqImpedance> &curve : curves) {
        out << curve.size() << "  1.0\n";
        for (const OneFreqImpedance &record : curve) {
            out << record.freq << " (" << record.rho << ',' << record.phase << ") 0.02  0.18\n";
            sum += record.rho;
            ++count;
        }
    }
    m_meanResistivity = count > 0 ? sum / count : 0.0;
    return TextFileOutput::finish(file, out, "NLCGIODevice::writeDataFile");
}

QString NLCGIODevice::widthLines(const QVector<double> &positions)
{
    const int n = positions.size();
    QString text;
    QTextStream out(&text);
    out << "5000 2000 1000 500 100 ";
    for (int k = 0; k < 5 && k + 1 < n; ++k)
        out << (k > 0 ? " " : "") << positions[k + 1] - positions[k];
    out << '\n';
    int onLine = 0;
    for (int k = 5; k <= n - 2; ++k) {
        out << positions[k + 1] - positions[k] << ' ';
        if (++onLine == 10) {
            out << '\n';
            onLine = 0;
        }
    }
    // The five right-hand widths, split so that no line holds more than ten values.
    const char *const splits[][2] = {{"100 500 1000 2000 5000", nullptr},
                                     {"100 500 1000 2000", "5000"},
                                     {"100 500 1000", "2000 5000"},
                                     {"100 500", " 1000 2000 5000"},
                                     {"100", "500 1000 2000 5000"}};
    const auto &split = splits[qMax(0, onLine - 5)];
    out << split[0] << '\n';
    if (split[1])
        out << split[1] << '\n';
    out.flush();
    return text;
}

bool NLCGIODevice::writeModelFile(int stationCount, const QVector<double> &positions,
                                  const QString &path, int mode)
{
    Q_UNUSED(mode);
    if (stationCount < kMinimumStations || positions.size() < stationCount) {
        qWarning().noquote() << "NLCGIODevice::writeModelFile:" << path << "needs at least"
                             << kMinimumStations << "stations with positions, got" << stationCount;
        return false;
    }
    QFile file(path);
    if (!TextFileOutput::open(file, "NLCGIODevice::writeModelFile"))
        return false;
    const int nx = stationCount + 9;
    QTextStream out(&file);
    out << nx << "  " << kLayerCount << '\n';
    out << widthLines(positions.mid(0, stationCount));
    out << "20 20 20 20 20 20 20 20 20 20\n"
           "50 50 50 50 50 50 50 50 50 50\n"
           "50 50 50 50 50 50 50 50 50 50\n"
           "50 50 50 50 50 100 100 100 100 100\n"
           "200 200 200 500 500 500 1000 1000 2000 2000\n"
           "5000 5000 10000 10000 20000\n"
           "1\n";
    for (int layer = 0; layer < kLayerCount; ++layer) {
        for (int x = 0; x < nx; ++x)
            out << resistivityIndex(layer) << ' ';
        out << '\n';
    }
    for (int i = 0; i < 7; ++i)
        out << (i > 0 ? " " : "") << m_meanResistivity;
    out << "\n#\n#ksurf\tvalues\n#\n";
    for (int x = 0; x < nx; ++x)
        out << "1 ";
    out << '\n';
    return TextFileOutput::finish(file, out, "NLCGIODevice::writeModelFile");
}

bool NLCGIODevice::writeControlFile(const QString &path, int mode, int stationCount)
{
    Q_UNUSED(mode);
    QFile file(path);
    if (!TextFileOutput::open(file, "NLCGIODevice::writeControlFile"))
        return false;
    QTextStream out(&file);
    out << "m\nmodel-1.dat\nb-tm-1.dat\n1.5\n40\n0.001\n5\n5\nn\nL\n";
    for (int i = 0; i < stationCount; ++i)
        out << i + 6 << '\n';
    out << " \nEND";
    return TextFileOutput::finish(file, out, "NLCGIODevice::writeControlFile");
}

bool NLCGIODevice::readModelOutput(const QString &path, int stationCount,
                                   const QVector<double> &positions)
{
    m_result.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning().noquote() << "NLCGIODevice::readModelOutput: cannot open" << path;
        return false;
    }
    QTextStream in(&file);
    QVector<double> header;
    appendLineValues(in, header);
    const auto truncated = [&path](const char *where) {
        qWarning().noquote() << "NLCGIODevice::readModelOutput:" << path << "ends in the" << where;
        return false;
    };
    // The grid sizes must be whole numbers the file can hold: every cell's value takes at least
    // two bytes of it.
    const int most = int(qMin<qint64>(file.size(), INT_MAX - 4));
    int nx = 0, nz = 0;
    if (!WholeNumbers::truncatedInt(header.value(0), 1, most, nx)
        || !WholeNumbers::truncatedInt(header.value(1), kResultLayers, most, nz)) {
        qWarning().noquote() << "NLCGIODevice::readModelOutput:" << path
                             << "has grid sizes that are not whole numbers fitting the file";
        return false;
    }
    const int lx = (nx + 4) / 5, lz = (nz + 4) / 5;
    if (stationCount > positions.size())
        return truncated("header");
    QVector<double> skipped, thicknesses;
    for (int i = 0; i < lx; ++i)
        if (!appendLineValues(in, skipped))
            return truncated("cell widths");
    for (int i = 0; i < lz; ++i)
        if (!appendLineValues(in, thicknesses))
            return truncated("layer thicknesses");
    QList<DataType_ResultData> columns;
    for (int i = 0; i < stationCount; ++i)
        columns.append({positions[i], QVector<double>(kResultLayers), QVector<double>(kResultLayers)});
    double depth = 0.0;
    for (int k = 0; k < kResultLayers; ++k) {
        depth += thicknesses.value(k);
        QVector<double> cells;
        for (int i = 0; i < lx; ++i)
            if (!appendLineValues(in, i == 0 ? skipped : cells))
                return truncated("resistivity layers");
        for (int i = 0; i < qMin(stationCount, cells.size()); ++i) {
            columns[i].value[k] = cells[i];
            columns[i].depth[k] = -depth;
        }
    }
    m_result = columns;
    return true;
}
