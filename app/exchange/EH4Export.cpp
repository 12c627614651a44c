#include "EH4Export.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <climits>
#include <cmath>

#include "Data_Line.h"
#include "Data_Station.h"
#include "FrequencyTables.h"
#include "OperatorDialogs.h"
#include "OperatorMessages.h"
#include "StationResults.h"
#include "TextFileOutput.h"
#include "WholeNumbers.h"

namespace {

constexpr int kFieldWidth = 11;

QString pointName(int number)
{
    return QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

QString field(const QString &text)
{
    return text.rightJustified(kFieldWidth, QLatin1Char(' '));
}

QString fixed2(double value)
{
    return QString::number(value, 'f', 2);
}

QString resistivityText(double rho)
{
    return rho > 99999.99 ? QString::number(rho, 'e', 2) : fixed2(rho);
}

// Coherency, resistivity and phase of the record of curve at exactly f, or three zeros.
QString componentFields(const QVector<OneFreqImpedance> &curve, double f)
{
    for (const OneFreqImpedance &record : curve)
        if (record.freq == f)
            return field(fixed2(record.coherency)) + field(resistivityText(record.rho))
                   + field(fixed2(record.phase));
    return field(fixed2(0)).repeated(3);
}

} // namespace

EH4Export::EH4Export(OperatorDialogs *dialogs) : dialogs(dialogs) {}

void EH4Export::cleanCurve(QVector<OneFreqImpedance> &curve)
{
    for (OneFreqImpedance &record : curve) {
        if (!std::isfinite(record.coherency))
            record.coherency = 0.05;
        if (record.coherency > 1)
            record.coherency = 0.99;
        if (record.coherency <= 0)
            record.coherency = 0.05;
        if (!std::isfinite(record.rho))
            record.rho = 10000;
        if (!std::isfinite(record.phase))
            record.phase = 45;
        if (record.rho < 0.01)
            record.rho = 0.01;
    }
}

QString EH4Export::pointFileText(const QVector<OneFreqImpedance> &a,
                                 const QVector<OneFreqImpedance> &b)
{
    const QString zeros = field(fixed2(0)).repeated(8) + QLatin1Char('\n');
    QString text;
    for (const OneFreqImpedance &record : a.isEmpty() ? b : a)
        text += field(QString::number(record.freq, 'g', 6)) + componentFields(a, record.freq)
                + componentFields(b, record.freq) + QLatin1Char('\n') + zeros;
    return text;
}

QString EH4Export::pointListLine(int number, double stationNum, int lineName)
{
    const auto padded = [](long long value) {
        return QString::number(value).rightJustified(6, QLatin1Char(' '));
    };
    long long x = 0;
    if (!WholeNumbers::truncated(stationNum, LLONG_MIN, LLONG_MAX, x))
        return QString();
    return QStringLiteral("      jp.") + pointName(number)
           + QStringLiteral(" TX=     0 TY=     0 Tz=     0 RX=")
           + padded(x) + QStringLiteral(" RY=") + padded(lineName)
           + QStringLiteral(" Rz=     0 XL=  2000 YL=  2000 G1=000140 G2=000080 G3=000080");
}

QString EH4Export::ensureFrequencyTable(const QString &folder)
{
    QFile file(folder + QStringLiteral("/FrequencyList.tbl"));
    if (file.exists())
        return QString();
    if (!TextFileOutput::open(file, "EH4Export::ensureFrequencyTable"))
        return file.fileName() + QStringLiteral(": ") + file.errorString();
    QString text;
    QTextStream out(&text);
    for (double f : FrequencyTables::tensorFrequencies())
        out << f << '\n';
    out.flush();
    return TextFileOutput::writeAndClose(file, text, "EH4Export::ensureFrequencyTable");
}

QString EH4Export::writePoint(const QString &folder, int number, Data_Station &station)
{
    QFile file(folder + QStringLiteral("/ZJP.") + pointName(number));
    if (!TextFileOutput::open(file, "EH4Export::writePoint"))
        return file.fileName() + QStringLiteral(": ") + file.errorString();
    // The stored Ex/Hy and Ey/Hx curves, or those gathered from the recordings.
    StationCurves curves = station.currentCurves();
    for (QVector<OneFreqImpedance> *curve : {&curves.exHy, &curves.eyHx}) {
        StationResults::sortByFrequency(*curve);
        cleanCurve(*curve);
    }
    return TextFileOutput::writeAndClose(file, pointFileText(curves.exHy, curves.eyHx),
                                         "EH4Export::writePoint");
}

bool EH4Export::refuse(const OperatorMessage &message)
{
    showCritical(*dialogs, message);
    return false;
}

bool EH4Export::run(Data_Line &line)
{
    int number = 1;
    if (!dialogs->eh4StartNumber(number))
        return false;
    const QString folder = dialogs->existingFolder(QStringLiteral("保存文件夹"), QDir::currentPath());
    if (folder.isEmpty())
        return false;
    if (!QFileInfo(folder).isDir())
        return refuse(OperatorMessages::eh4FolderMissing(folder));
    QFile list(folder + QStringLiteral("/@"));
    if (!TextFileOutput::open(list, "EH4Export::run"))
        return refuse(OperatorMessages::eh4ExportFailed({list.fileName() + QStringLiteral(": ") + list.errorString()}));
    QString listText = QStringLiteral(
        " 50    0\n"
        "      jp.000 TX=     0 TY=     0 Tz=     0 RX=     0 RY=     0 Rz=     0 XL=  2500 "
        "YL=  2500 G1=000140 G2=000080 G3=000080\n");
    QStringList failures;
    DORE_Collection<Data_Station> *stations = line.REF_Data_Station();
    for (int s = 0; s < stations->count(); ++s) {
        Data_Station *station = stations->at(s).object;
        if (!station || station->Use() == 0)
            continue;
        const QString entry = pointListLine(number, station->StationNum(), line.LineName());
        if (entry.isEmpty()) {
            failures << OperatorMessages::eh4StationWithoutPosition(station->StationNum());
            continue;
        }
        listText += entry + QLatin1Char('\n');
        failures << writePoint(folder, number, *station) << ensureFrequencyTable(folder);
        ++number;
    }
    failures << TextFileOutput::writeAndClose(list, listText, "EH4Export::run");
    failures.removeAll(QString());
    failures.removeDuplicates();
    if (!failures.isEmpty())
        return refuse(OperatorMessages::eh4ExportFailed(failures));
    showInformation(*dialogs, OperatorMessages::eh4Exported());
    return true;
}
