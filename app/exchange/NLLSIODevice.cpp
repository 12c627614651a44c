#include "NLLSIODevice.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>

#include "TextFields.h"
#include "TextFileOutput.h"

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
    QFile file(path);
    if (!TextFileOutput::open(file, "NLLSIODevice::writeFieldData"))
        return false;
    QString text = QStringLiteral(" >> MT2DInvMatlab Field Data Ver 1.0\n >> Mode\n  1\n");
    text += QString::asprintf(" >> Start\n  %d\n", static_cast<int>(positions[0]));
    text += QString::asprintf(" >> Spacing\n  %d\n", static_cast<int>(positions[2] - positions[1]));
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
    return file.write(text.toLocal8Bit()) >= 0 && file.flush();
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
    const int nxb = static_cast<int>(firstField(in));
    if (!in.atEnd())
        in.readLine();
    const int nzb = static_cast<int>(firstField(in));
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
    if (columns.isEmpty() || layers < 1)
        return unusable("has block counts that fit no station layout");
    if (values.size() < (layers - 1) * nxb + nxb - 2)
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
