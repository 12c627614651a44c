#include "Trimora.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "TextFields.h"

namespace {

// One data line: frequency (Hz), amplitude and phase (degrees) as the first three fields; further
// fields are ignored. Empty error when the row is sound.
QString parseRow(const QString &line, OneFreqCheck &row)
{
    const QStringList fields = splitTextFields(line, 3);
    if (fields.size() < 3)
        return QStringLiteral("需要频率、幅值和相位三列");
    double values[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        values[i] = fields[i].toDouble(&ok);
        if (!ok || !std::isfinite(values[i]))
            return QStringLiteral("“%1”不是有限数").arg(fields[i]);
    }
    if (values[1] <= 0.0)
        return QStringLiteral("幅值 %1 不是正数").arg(values[1]);
    row = {values[0], values[1], qDegreesToRadians(values[2])};
    return QString();
}

bool isSkipped(const QString &line)
{
    const QStringView trimmed = QStringView(line).trimmed();
    return trimmed.startsWith(QLatin1Char('#')) || splitTextFields(trimmed, 1).isEmpty();
}

// Reads the rows of the table in file order; empty error when every data line is sound.
QString readRows(const QString &file, QList<OneFreqCheck> &rows)
{
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("无法打开：") + input.errorString();
    QTextStream stream(&input);
    QString line;
    for (int lineNumber = 1; stream.readLineInto(&line); ++lineNumber) {
        if (isSkipped(line))
            continue;
        OneFreqCheck row;
        const QString error = parseRow(line, row);
        if (!error.isEmpty())
            return QStringLiteral("第 %1 行：").arg(lineNumber) + error;
        rows.append(row);
    }
    return QString();
}

// Sorts the rows by frequency; empty error when they form a usable table.
QString sortRows(QList<OneFreqCheck> &rows)
{
    if (rows.size() < 2)
        return QStringLiteral("只有 %1 行数据，至少需要 2 行").arg(rows.size());
    std::sort(rows.begin(), rows.end(),
              [](const OneFreqCheck &a, const OneFreqCheck &b) { return a.freq < b.freq; });
    const auto repeated = std::adjacent_find(rows.begin(), rows.end(),
        [](const OneFreqCheck &a, const OneFreqCheck &b) { return a.freq == b.freq; });
    if (repeated != rows.end())
        return QStringLiteral("频率 %1 Hz 出现了不止一次").arg(repeated->freq);
    return QString();
}

// Both kinds of table share one format; caller names the operation for the debug line. A failed
// load keeps the table of the last successful one and says why in error.
bool loadTable(const char *caller, const QString &file, QList<OneFreqCheck> &table, QString &error)
{
    QList<OneFreqCheck> rows;
    error = readRows(file, rows);
    if (error.isEmpty())
        error = sortRows(rows);
    if (!error.isEmpty()) {
        qDebug().noquote() << caller << file + ":" << error;
        return false;
    }
    table = rows;
    return true;
}

}  // namespace

bool Trimora::getSensorDataList(const QString &file)
{
    return loadTable("Trimora::getSensorDataList:", file, table, error);
}

bool Trimora::getGainDataList(const QString &file)
{
    return loadTable("Trimora::getGainDataList:", file, table, error);
}

QList<OneFreqCheck> Trimora::getCheckedData() const
{
    return table;
}

QString Trimora::lastError() const
{
    return error;
}
