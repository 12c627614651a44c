#include "ExportCommand.h"

#include <QCommandLineParser>

#include "CliProject.h"
#include "CommandLine.h"
#include "EDIDeviceIO.h"
#include "EH4Export.h"
#include "EdiStationExport.h"
#include "LineCommandSupport.h"
#include "ResultTableExport.h"
#include "SectionCommand.h"

namespace {

const QString kCommand = QStringLiteral("export");

bool exportEdi(CliProject &project, const QCommandLineParser &parser)
{
    QList<CliProject::StationRef> selected;
    if (!project.selectStations(parser.value("line"), parser.value("station"), selected))
        return false;
    EDIDeviceIO io(&project.dialogs());
    return EdiStationExport(&project.dialogs(), &io)
        .run(project.hub().lineAt(selected.first().line), selected.first().station);
}

bool exportLine(CliProject &project, const QString &kind, const QString &lineText)
{
    Data_Line *line = LineCommandSupport::line(project, lineText);
    if (!line)
        return false;
    if (kind == "eh4")
        return EH4Export(&project.dialogs()).run(*line);
    return ResultTableExport(&project.dialogs()).exportRaw(*line);
}

} // namespace

int runExportCommand(const QStringList &arguments)
{
    const QString kind = arguments.value(0);
    if (kind == "section")
        return runSectionCommand(arguments.mid(1));
    if (kind == "spectrum") {
        CommandLine::printError(kCommand, QStringLiteral("the line spectrum export is not available yet"));
        return 1;
    }
    if (kind != "edi" && kind != "eh4" && kind != "raw") {
        CommandLine::printError(kCommand, QStringLiteral("usage: export edi|eh4|raw|section PROJECT ..."));
        return 2;
    }
    QCommandLineParser parser;
    parser.addOptions({{"line", "line number", "N"},
                       {"station", "station number (edi)", "S"},
                       {"out", "EDI file, or folder of the EH4 and raw files", "PATH"},
                       {"start", "number of the first EH4 point", "N", "1"}});
    if (!CommandLine::parse(parser, kCommand, arguments.mid(1), 1))
        return 2;
    if (!parser.isSet("line") || !parser.isSet("out") || (kind == "edi" && !parser.isSet("station"))) {
        CommandLine::printError(kCommand, kind == "edi" ? QStringLiteral("--line, --station and --out are required")
                                                        : QStringLiteral("--line and --out are required"));
        return 2;
    }
    const QString out = LineCommandSupport::absolute(parser.value("out"));
    CliProject project(kCommand);
    if (!project.open(parser.positionalArguments().first()))
        return 1;
    project.dialogs().setFileName(out);
    project.dialogs().setFolder(out);
    project.dialogs().setStartNumber(parser.value("start").toInt());
    const bool done = kind == "edi" ? exportEdi(project, parser)
                                    : exportLine(project, kind, parser.value("line"));
    return LineCommandSupport::exitCode(project, done);
}
