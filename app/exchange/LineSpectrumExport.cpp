#include "LineSpectrumExport.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include "Data_Line.h"
#include "Data_Station.h"
#include "OperatorDialogs.h"
#include "ResultTableExport.h"
#include "StationPaths.h"
#include "TextFileOutput.h"
#include "WorkFeedback.h"

LineSpectrumExport::LineSpectrumExport(OperatorDialogs *dialogs, WorkFeedback *feedback)
    : dialogs(dialogs), feedback(feedback)
{
}

QString LineSpectrumExport::header()
{
    return QStringLiteral("station,freq,Hx,Hy,") + ResultTableExport::kCurveHeader;
}

QStringList LineSpectrumExport::stationLines(float stationNum, const MagneticSpectra &spectra,
                                             const QVector<OneFreqImpedance> &exCurve)
{
    const bool withCurve = exCurve.size() == spectra.hx.size();
    QStringList lines;
    int k = 0;
    for (auto hx = spectra.hx.cbegin(); hx != spectra.hx.cend(); ++hx, ++k) {
        QString line = QStringList{StationPaths::numberText(stationNum),
                                   QString::number(hx.key(), 'g', 6),
                                   QString::number(hx.value(), 'g', 6),
                                   QString::number(spectra.hy.value(hx.key(), 0.0), 'g', 6)}
                           .join(QLatin1Char(','));
        if (withCurve)
            line += QLatin1Char(',') + ResultTableExport::curveLine(exCurve[k]);
        lines << line;
    }
    return lines;
}

bool LineSpectrumExport::tableLines(Data_Line &line, const QString &projectFolder,
                                    const ReCalculateParam &settings, QStringList &lines)
{
    DORE_Collection<Data_Station> *stations = line.REF_Data_Station();
    for (int s = 0; s < stations->count(); ++s) {
        Data_Station *station = stations->at(s).object;
        if (!station || station->Use() == 0)
            continue;
        const QString folder =
            StationPaths::stationFolder(projectFolder, line.LineName(), station->StationNum());
        const WorkFeedback::Step step = feedback->step(double(s) / stations->count(),
                                                       double(s + 1) / stations->count(),
                                                       StationPaths::stationLabel(station->StationNum()));
        MagneticSpectra spectra;
        if (!step(0.0) || !StationMagneticSpectra::compute(*station, folder, settings, step, spectra))
            return false;
        lines << stationLines(station->StationNum(), spectra, station->storedCurves().exHy);
    }
    return true;
}

bool LineSpectrumExport::run(Data_Line &line, const QString &projectFolder,
                             const ReCalculateParam &settings)
{
    const QString path = dialogs->saveFileName(QStringLiteral("保存数据"), QDir::currentPath(),
                                               QStringLiteral("DAT文件(*.DAT)"));
    if (path.isEmpty())
        return false;
    QStringList lines;
    if (!tableLines(line, projectFolder, settings, lines)) {
        dialogs->information(QStringLiteral("导出数据"), QStringLiteral("导出已取消，未写入文件。"));
        return false;
    }
    QFile file(path);
    if (!TextFileOutput::open(file, "LineSpectrumExport::run")) {
        reportFailure();
        return false;
    }
    QTextStream out(&file);
    out << header();
    for (const QString &text : qAsConst(lines))
        out << text << '\n';
    if (!TextFileOutput::finish(file, out, "LineSpectrumExport::run")) {
        reportFailure();
        return false;
    }
    dialogs->information(QStringLiteral("导出数据"), QStringLiteral("导出数据成功"));
    return true;
}

void LineSpectrumExport::reportFailure()
{
    dialogs->critical(QStringLiteral("导出错误"), QStringLiteral("导出反演数据错误"));
}
