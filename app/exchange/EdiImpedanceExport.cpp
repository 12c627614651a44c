#include "EdiImpedanceExport.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cmath>
#include <functional>

#include "Data_Line.h"
#include "Data_Station.h"
#include "EDIDeviceIO.h"
#include "OperatorDialogs.h"
#include "OperatorMessages.h"
#include "TextFileOutput.h"

namespace {

const QString kIndent = QStringLiteral("   ");
constexpr int kValuesPerLine = 5;

QString ediNumber(double value)
{
    return QString::number(std::isfinite(value) ? value : 1.0e32, 'E', 6);
}

// "dd:mm:ss.sss" of an angle in degrees, as REFLAT and REFLONG take it.
QString degreesMinutesSeconds(double degrees)
{
    const double size = std::fabs(degrees);
    const int whole = int(size);
    const int minutes = int((size - whole) * 60);
    const double seconds = (size - whole - minutes / 60.0) * 3600;
    return QStringLiteral("%1%2:%3:%4").arg(degrees < 0 ? "-" : "").arg(whole).arg(minutes)
        .arg(seconds, 0, 'f', 3);
}

void writeBlock(QTextStream &out, const QString &heading, const QVector<EdiImpedanceRow> &rows,
                const std::function<double(const EdiImpedanceRow &)> &value)
{
    out << '>' << heading << " //" << rows.size() << '\n';
    for (int i = 0; i < rows.size(); ++i)
        out << "  " << ediNumber(value(rows[i])) << ((i + 1) % kValuesPerLine == 0 || i + 1 == rows.size() ? "\n" : "");
}

void writeInfo(QTextStream &out)
{
    out << ">INFO\n";
    for (const char *line : {"Impedance form: Zxy and Zyx from the station's curves with error bars.",
                             "Units (mV/km)/nT; time dependence exp(+iwt): Zxy in the first quadrant, Zyx in the third.",
                             "VAR: variance of the real and of the imaginary part; ERR: one standard error.",
                             "Zxx and Zyy are not kept with the curves and are written as EMPTY."})
        out << kIndent << line << '\n';
    out << '\n';
}

void writeMeasurements(QTextStream &out, const Data_Station &station, const QString &dataId, int count)
{
    out << ">=DEFINEMEAS\n";
    for (const QString &line : {QStringLiteral("MAXCHAN=4"), QStringLiteral("MAXRUN=999"), QStringLiteral("MAXMEAS=4"),
                                QStringLiteral("UNITS=M"), QStringLiteral("REFTYPE=CART"),
                                QStringLiteral("REFLAT=") + degreesMinutesSeconds(station.GPS_Latitude()),
                                QStringLiteral("REFLONG=") + degreesMinutesSeconds(station.GPS_Longtitude()),
                                QStringLiteral("REFELEV=") + QString::number(station.GPS_Elevation(), 'g', 6)})
        out << kIndent << line << '\n';
    const QString x = QString::number(station.XPoleDistance() / 2, 'g', 6);
    const QString y = QString::number(station.YPoleDistance() / 2, 'g', 6);
    out << '\n'
        << ">HMEAS ID=1.000 CHTYPE=HX X=0 Y=0 Z=0 AZM=0\n"
        << ">HMEAS ID=2.000 CHTYPE=HY X=0 Y=0 Z=0 AZM=90\n"
        << ">EMEAS ID=4.000 CHTYPE=EX X=-" << x << " Y=0 Z=0 X2=" << x << " Y2=0 Z2=0\n"
        << ">EMEAS ID=5.000 CHTYPE=EY X=0 Y=-" << y << " Z=0 X2=0 Y2=" << y << " Z2=0\n\n"
        << ">=MTSECT\n"
        << kIndent << "SECTID=\"" << dataId << "\"\n"
        << kIndent << "NFREQ=" << count << '\n'
        << kIndent << "HX=1.000\n" << kIndent << "HY=2.000\n"
        << kIndent << "EX=4.000\n" << kIndent << "EY=5.000\n\n";
}

void writeImpedances(QTextStream &out, const QVector<EdiImpedanceRow> &rows)
{
    using Row = EdiImpedanceRow;
    const double empty = std::nan("");
    writeBlock(out, QStringLiteral("FREQ"), rows, [](const Row &r) { return r.freq; });
    writeBlock(out, QStringLiteral("ZROT"), rows, [](const Row &) { return 0.0; });
    for (const QString &name : {QStringLiteral("ZXXR"), QStringLiteral("ZXXI"), QStringLiteral("ZXX.VAR")})
        writeBlock(out, name + QStringLiteral(" ROT=ZROT"), rows, [empty](const Row &) { return empty; });
    writeBlock(out, QStringLiteral("ZXYR ROT=ZROT"), rows, [](const Row &r) { return r.zxy.real(); });
    writeBlock(out, QStringLiteral("ZXYI ROT=ZROT"), rows, [](const Row &r) { return r.zxy.imag(); });
    writeBlock(out, QStringLiteral("ZXY.VAR ROT=ZROT"), rows, [](const Row &r) { return r.varXy; });
    writeBlock(out, QStringLiteral("ZYXR ROT=ZROT"), rows, [](const Row &r) { return r.zyx.real(); });
    writeBlock(out, QStringLiteral("ZYXI ROT=ZROT"), rows, [](const Row &r) { return r.zyx.imag(); });
    writeBlock(out, QStringLiteral("ZYX.VAR ROT=ZROT"), rows, [](const Row &r) { return r.varYx; });
    for (const QString &name : {QStringLiteral("ZYYR"), QStringLiteral("ZYYI"), QStringLiteral("ZYY.VAR")})
        writeBlock(out, name + QStringLiteral(" ROT=ZROT"), rows, [empty](const Row &) { return empty; });
}

void writeResistivities(QTextStream &out, const QVector<EdiImpedanceRow> &rows)
{
    using Row = EdiImpedanceRow;
    writeBlock(out, QStringLiteral("RHOROT"), rows, [](const Row &) { return 0.0; });
    writeBlock(out, QStringLiteral("RHOXY ROT=RHOROT"), rows, [](const Row &r) { return r.rhoXy; });
    writeBlock(out, QStringLiteral("RHOXY.ERR ROT=RHOROT"), rows, [](const Row &r) { return r.rhoErrorXy; });
    writeBlock(out, QStringLiteral("PHSXY ROT=RHOROT"), rows, [](const Row &r) { return r.phaseXy; });
    writeBlock(out, QStringLiteral("PHSXY.ERR ROT=RHOROT"), rows, [](const Row &r) { return r.phaseErrorXy; });
    writeBlock(out, QStringLiteral("RHOYX ROT=RHOROT"), rows, [](const Row &r) { return r.rhoYx; });
    writeBlock(out, QStringLiteral("RHOYX.ERR ROT=RHOROT"), rows, [](const Row &r) { return r.rhoErrorYx; });
    writeBlock(out, QStringLiteral("PHSYX ROT=RHOROT"), rows, [](const Row &r) { return r.phaseYx; });
    writeBlock(out, QStringLiteral("PHSYX.ERR ROT=RHOROT"), rows, [](const Row &r) { return r.phaseErrorYx; });
}

bool hasErrorBars(const QVector<EdiImpedanceRow> &rows)
{
    return std::any_of(rows.begin(), rows.end(),
                       [](const EdiImpedanceRow &r) { return std::isfinite(r.varXy) || std::isfinite(r.varYx); });
}

} // namespace

EdiImpedanceExport::EdiImpedanceExport(OperatorDialogs *dialogs) : dialogs(dialogs) {}

bool EdiImpedanceExport::write(const QString &path, const QVector<EdiImpedanceRow> &rows, const Data_Line &line,
                               const Data_Station &station)
{
    QFile file(path);
    if (!TextFileOutput::open(file, "EdiImpedanceExport::write"))
        return false;
    const QString dataId = EDIDeviceIO::ediDataId(line.LineName(), station.StationNum());
    QTextStream out(&file);
    EDIDeviceIO::writeEDIHead(out, dataId);
    writeInfo(out);
    writeMeasurements(out, station, dataId, rows.size());
    writeImpedances(out, rows);
    writeResistivities(out, rows);
    out << "\n>END\n";
    return TextFileOutput::finish(file, out, "EdiImpedanceExport::write");
}

bool EdiImpedanceExport::run(Data_Line *line, int stationRow)
{
    const QString path = dialogs->saveFileName(QStringLiteral("保存EDI文件"), QDir::currentPath(),
                                               QStringLiteral("EDI文件(*.edi)"));
    Data_Station *station = path.isEmpty() || !line ? nullptr : line->REF_Data_Station()->at(stationRow).object;
    if (!station)
        return false;
    const StationCurves curves = station->storedCurves();
    const QVector<EdiImpedanceRow> rows =
        EdiImpedanceTable::rows(curves.exHy, curves.exHyBars, curves.eyHx, curves.eyHxBars);
    if (rows.isEmpty() || !hasErrorBars(rows)) {
        showCritical(*dialogs, OperatorMessages::ediWithoutErrorBars(station->StationNum()));
        return false;
    }
    if (!write(path, rows, *line, *station)) {
        showCritical(*dialogs, OperatorMessages::inversionDataExportFailed());
        return false;
    }
    showInformation(*dialogs, OperatorMessages::ediExported());
    return true;
}
