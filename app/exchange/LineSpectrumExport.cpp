#include "LineSpectrumExport.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include "Data_Line.h"
#include "Data_Station.h"
#include "OperatorDialogs.h"
#include "OperatorMessages.h"
#include "ResultTableExport.h"
#include "StationPaths.h"
#include "TextFileOutput.h"
#include "WorkFeedback.h"

LineSpectrumExport::LineSpectrumExport(OperatorDialogs *dialogs, WorkRunner runner)
    : dialogs(dialogs), runner(std::move(runner))
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

QVector<LineSpectrumExport::StationSource> LineSpectrumExport::stationSources(Data_Line &line,
                                                                           const QString &projectFolder)
{
    QVector<StationSource> sources;
    DORE_Collection<Data_Station> *stations = line.REF_Data_Station();
    for (int s = 0; s < stations->count(); ++s) {
        Data_Station *station = stations->at(s).object;
        if (!station || station->Use() == 0)
            continue;
        const QString folder =
            StationPaths::stationFolder(projectFolder, line.LineName(), station->StationNum());
        sources.push_back({station->StationNum(),
                           StationMagneticSpectra::magneticChannels(*station, folder),
                           station->storedCurves().exHy});
    }
    return sources;
}

bool LineSpectrumExport::tableLines(const QVector<StationSource> &sources,
                                    const ReCalculateParam &settings, WorkFeedback &feedback,
                                    QStringList &lines)
{
    for (int s = 0; s < sources.size(); ++s) {
        const StationSource &source = sources[s];
        const WorkFeedback::Step step = feedback.step(double(s) / sources.size(),
                                                      double(s + 1) / sources.size(),
                                                      StationPaths::stationLabel(source.stationNum));
        MagneticSpectra spectra;
        if (!step(0.0) || !StationMagneticSpectra::compute(source.magneticChannels, settings, step, spectra))
            return false;
        lines << stationLines(source.stationNum, spectra, source.exCurve);
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
    const QVector<StationSource> sources = stationSources(line, projectFolder);
    QStringList lines;
    bool complete = false;
    const bool ended = runner(QStringLiteral("导出频谱数据"), [&](WorkFeedback &feedback) {
        complete = tableLines(sources, settings, feedback, lines);
    });
    if (!ended || !complete) {
        showInformation(*dialogs, OperatorMessages::exportCancelled());
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
    showInformation(*dialogs, OperatorMessages::exportSucceeded());
    return true;
}

void LineSpectrumExport::reportFailure()
{
    showCritical(*dialogs, OperatorMessages::inversionDataExportFailed());
}
