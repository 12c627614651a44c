#include "ExportCommand.h"

#include <QCommandLineParser>

#include "CliProject.h"
#include "CommandLine.h"
#include "LineCommandSupport.h"
#include "SectionCommand.h"

namespace {

const QString kCommand = QStringLiteral("export");

bool exportEdi(CliProject &project, const QCommandLineParser &parser)
{
    QList<CliProject::StationRef> selected;
    if (!project.selectStations(parser.value("line"), parser.value("station"), selected))
        return false;
    const QString form = parser.value("form");
    if (form == "impedance")
        return project.hub().exportImpedanceEDI(selected.first().line, selected.first().station);
    return project.hub().exportEDI(selected.first().line, selected.first().station);
}

bool exportLine(CliProject &project, const QString &kind, const QString &lineText)
{
    const int line = LineCommandSupport::linePosition(project, lineText);
    if (line < 0)
        return false;
    if (kind == "eh4")
        return project.hub().exportEH4(line);
    if (kind == "spectrum") {
        project.feedback().begin(QStringLiteral("spectrum export of line %1").arg(lineText));
        const bool written = project.hub().exportLineSpectrum(line);
        project.feedback().end(project.feedback().outcome(written));
        return written;
    }
    return project.hub().exportRawData(line);
}

} // namespace

int runExportCommand(const QStringList &arguments)
{
    const QString kind = arguments.value(0);
    if (kind == "section")
        return runSectionCommand(arguments.mid(1));
    if (kind != "edi" && kind != "eh4" && kind != "raw" && kind != "spectrum") {
        CommandLine::printError(kCommand,
                                QStringLiteral("usage: export edi|eh4|raw|spectrum|section PROJECT ..."));
        return 2;
    }
    QCommandLineParser parser;
    parser.addOptions({{"line", "line number", "N"},
                       {"station", "station number (edi)", "S"},
                       {"out", "EDI or spectrum file, or folder of the EH4 and raw files", "PATH"},
                       {"start", "number of the first EH4 point", "N", "1"},
                       {"form", "EDI form: spectra (from the tensor results) or impedance (curves with error bars)",
                        "FORM", "spectra"}});
    if (!CommandLine::parse(parser, kCommand, arguments.mid(1), 1))
        return 2;
    if (!parser.isSet("line") || !parser.isSet("out") || (kind == "edi" && !parser.isSet("station"))) {
        CommandLine::printError(kCommand, kind == "edi" ? QStringLiteral("--line, --station and --out are required")
                                                        : QStringLiteral("--line and --out are required"));
        return 2;
    }
    if (parser.value("form") != "spectra" && parser.value("form") != "impedance") {
        CommandLine::printError(kCommand, QStringLiteral("--form %1: expected spectra or impedance").arg(parser.value("form")));
        return 2;
    }
    bool whole = false;
    const int start = parser.value("start").toInt(&whole);
    if (!whole || start < 0) {
        CommandLine::printError(kCommand, QStringLiteral("--start %1: expected a whole number of "
                                                         "at least 0").arg(parser.value("start")));
        return 2;
    }
    const QString out = LineCommandSupport::absolute(parser.value("out"));
    CliProject project(kCommand);
    if (!project.open(parser.positionalArguments().first()))
        return 1;
    project.dialogs().setFileName(out);
    project.dialogs().setFolder(out);
    project.dialogs().setStartNumber(start);
    const bool done = kind == "edi" ? exportEdi(project, parser)
                                    : exportLine(project, kind, parser.value("line"));
    return LineCommandSupport::exitCode(project, done);
}
