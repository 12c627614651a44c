#include "ResultTableExport.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include "Data_Line.h"
#include "ImpedanceFormulas.h"
#include "OperatorDialogs.h"
#include "OperatorMessages.h"
#include "TextFileOutput.h"

namespace {

QString g6(double value)
{
    return QString::number(value, 'g', 6);
}

bool writeSection(const QString &path, const QList<DataType_ResultData> &section)
{
    QFile file(path);
    if (!TextFileOutput::open(file, "ResultTableExport::exportSection"))
        return false;
    QTextStream out(&file);
    for (const DataType_ResultData &column : section)
        for (int k = 0; k < qMin(column.depth.size(), column.value.size()); ++k)
            out << g6(column.position) << ',' << g6(column.depth[k]) << ','
                << g6(column.value[k]) << '\n';
    return TextFileOutput::finish(file, out, "ResultTableExport::exportSection");
}

} // namespace

const QString ResultTableExport::kCurveHeader =
    QStringLiteral("Frequency , AppResis , Phase, depth , trueResis  \n");

ResultTableExport::ResultTableExport(OperatorDialogs *dialogs) : dialogs(dialogs) {}

QString ResultTableExport::curveLine(const OneFreqImpedance &record)
{
    const double depth = ImpedanceFormulas::bostickDepth(record.rho, record.freq);
    const double trueRho = ImpedanceFormulas::bostickRho(record.rho, record.phase);
    return QStringList{g6(record.freq), g6(record.rho), g6(record.phase), g6(depth), g6(trueRho)}
        .join(QLatin1Char(','));
}

bool ResultTableExport::exportRaw(Data_Line &line)
{
    const QString folder =
        dialogs->existingFolder(QStringLiteral("保存文件夹"), QDir::currentPath());
    if (folder.isEmpty())
        return false;
    bool allWritten = true;
    const QStringList components{QStringLiteral("Ex"), QStringLiteral("Ex2"), QStringLiteral("Ey")};
    for (const StationCurve &entry : line.channelSelection(components)) {
        const QString path = folder + QLatin1Char('/') + g6(entry.stationNum) + QLatin1Char('_')
                             + entry.component + QStringLiteral(".dat");
        if (!writeCurve(path, entry.curve)) {
            showCritical(*dialogs, OperatorMessages::dataExportFailed());
            allWritten = false;
        }
    }
    showInformation(*dialogs, OperatorMessages::rawDataExported());
    return allWritten;
}

bool ResultTableExport::writeCurve(const QString &path, const QVector<OneFreqImpedance> &curve)
{
    QFile file(path);
    if (!TextFileOutput::open(file, "ResultTableExport::writeCurve"))
        return false;
    QTextStream out(&file);
    out << kCurveHeader;
    for (const OneFreqImpedance &record : curve)
        out << curveLine(record) << '\n';
    return TextFileOutput::finish(file, out, "ResultTableExport::writeCurve");
}

bool ResultTableExport::exportSection(const QString &path, const QList<DataType_ResultData> &section)
{
    if (!writeSection(path, section)) {
        showCritical(*dialogs, OperatorMessages::inversionDataExportFailed());
        return false;
    }
    showInformation(*dialogs, OperatorMessages::dataSaved());
    return true;
}
