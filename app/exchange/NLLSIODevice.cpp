#include "NLLSIODevice.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>
#include <climits>

#include "TextFields.h"
#include "TextFileOutput.h"
#include "WholeNumbers.h"

namespace {

float adjustedResistivity(double rho)
{
    float value = static_cast<float>(rho);
    if (value > 9999.0f)
        value = 9999.0f;
    return value < 1.0f ? 100.0f : value;
}

float adjustedPhase(double phase)
{
    float value = static_cast<float>(phase);
    if (value > 90.0f)
        value -= 90.0f;
    return value < 1.0f ? 45.0f : value;
}

// Reads lines until one contains marker; false at the end of the stream.
bool skipPast(QTextStream &in, const QString &marker)
{
    while (!in.atEnd())
        if (in.readLine().contains(marker))
            return true;
    return false;
}

double firstField(QTextStream &in)
{
    return in.atEnd() ? 0.0 : splitTextFields(in.readLine(), 1).value(0).toDouble();
}

// A block count of the file: a whole number from lowest up to the file's length in bytes (every
// block's value takes at least two bytes of the file), or false.
bool blockCount(double value, int lowest, const QFile &file, int &count)
{
    return WholeNumbers::truncatedInt(value, lowest, int(qMin<qint64>(file.size(), INT_MAX)), count);
}

// Column positions: one per station (nxb = n + 4) or stations and midpoints (nxb = 2n + 3).
QVector<double> columnPositions(const QVector<double> &x, int nxb)
{
    const int n = x.size();
    QVector<double> columns;
    if (nxb == n + 4)
        return x;
    if (nxb == 2 * n + 3)
        for (int j = 0; j <= 2 * n - 2; ++j)
            columns << (j % 2 == 0 ? x[j / 2] : (x[(j - 1) / 2] + x[(j + 1) / 2]) / 2);
    return columns;
}

} // namespace

NLLSIODevice::NLLSIODevice(QObject *parent) : QObject(parent) {}

bool NLLSIODevice::writeFieldData(const QString &path,
                                  const QList<QVector<OneFreqImpedance>> &curves,
                                  const QVector<double> &positions)
{
    const int n = curves.size();
    bool enough = n >= kMinimumStations && positions.size() >= n;
    for (const QVector<OneFreqImpedance> &curve : curves)
        enough = enough && curve.size() >= kFrequencies;
    if (!enough) {
        qWarning().noquote() << "NLLSIODevice::writeFieldData:" << path << "needs"
                             << kMinimumStations << "stations of" << kFrequencies
                             << "frequencies at least";
        return false;
    }
    int start = 0, spacing = 0;
    if (!WholeNumbers::truncatedInt(positions[0], INT_MIN, INT_MAX, start)
        || !WholeNumbers::truncatedInt(positions[2] - positions[1], INT_MIN, INT_MAX, spacing)) {
        qWarning().noquote() << "NLLSIODevice::writeFieldData:" << path << "needs station positions "
                                "whose start and spacing, in whole metres, fit the int range";
        return false;
    }
    QFile file(path);
    if (!TextFileOutput::open(file, "NLLSIODevice::writeFieldData"))
        return false;
    QString text = QStringLiteral(" >> MT2DInvMatlab Field Data Ver 1.0\n >> Mode\n  1\n");
    text += QString::asprintf(" >> Start\n  %d\n", start);
    text += QString::asprintf(" >> Spacing\n  %d\n", spacing);
    text += QString::asprintf(" >> No. of Station and No. of Frequencies\n  %d   %d\n", n, kFrequencies);
    text += QStringLiteral(" >> Station\n");
    for (int i = 1; i <= n; ++i)
        text += QString::asprintf("  %d   %.3f\n", i, 20.0 * (i - 1));
    text += QStringLiteral(" >> Frequency\n");
    for (int k = 0; k < kFrequencies; ++k)
        text += QString::asprintf("  %f\n", curves[0][k].freq);
    for (int i = 1; i <= n; ++i) {
        text += QString::asprintf(" >> Station : %d\n", i);
        for (int k = 0; k < kFrequencies; ++k) {
            const OneFreqImpedance &r = curves[i - 1][k];
            text += QString::asprintf("  %5d   %15.5f   %15.5f   %15.5f\n", 1, r.freq,
                                      double(adjustedResistivity(r.rho)),
                                      double(adjustedPhase(r.phase)));
        }
    }
    const QByteArray bytes = text.toLocal8Bit();
    return file.write(bytes) == bytes.size() && file.flush();
}

bool NLLSIODevice::readResult(const QString &path, const QVector<double> &positions,
                              const NLLSReaderConstants &constants)
{
    m_result.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning().noquote() << "NLLSIODevice::readResult: cannot open" << path;
        return false;
    }
    const auto unusable = [&path](const char *why) {
        qWarning().noquote() << "NLLSIODevice::readResult:" << path << why;
        return false;
    };
    QTextStream in(&file);
    if (!skipPast(in, QStringLiteral(">> No of blocks in x-direction")))
        return unusable("has no block counts");
    const double nxbField = firstField(in);
    if (!in.atEnd())
        in.readLine();
    const double nzbField = firstField(in);
    int nxb = 0, nzb = 0;
    if (!blockCount(nxbField, 1, file, nxb) || !blockCount(nzbField, 3, file, nzb))
        return unusable("has block counts that are not whole numbers fitting the file");
    if (!skipPast(in, QStringLiteral(">> Inverted Data")) || in.atEnd())
        return unusable("has no inverted data");
    in.readLine();
    for (int i = 0; i < constants.sectionNumber; ++i) {
        if (in.atEnd())
            return unusable("has fewer inverted sections than expected");
        in.readLine();
        if (!skipPast(in, QStringLiteral("Inverted resestivity")))
            return unusable("has fewer inverted sections than expected");
    }
    QVector<double> values;
    while (!in.atEnd())
        for (const QString &field : splitTextFields(in.readLine()))
            values.append(field.toDouble());
    const QVector<double> columns = columnPositions(positions, nxb);
    const int layers = nzb - 2;
    if (columns.isEmpty())
        return unusable("has block counts that fit no station layout");
    // The last value read is that of block row layers - 1, column nxb - 3.
    if (values.size() < qint64(layers - 1) * nxb + nxb - 2)
        return unusable("ends before the last block");
    for (double position : columns)
        m_result.append({position, QVector<double>(layers), QVector<double>(layers)});
    for (int k = 0; k < layers; ++k)
        for (int b = 2; b <= nxb - 3; ++b) {
            DataType_ResultData &column = m_result[b - 2];
            column.value[k] = values[k * nxb + b];
            column.depth[k] = k == 0 ? -constants.blockHeight
                                     : column.depth[k - 1] - constants.blockHeight * qMin(k + 1, 10);
        }
    return true;
}
