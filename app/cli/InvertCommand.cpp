#include "InvertCommand.h"

#include <QCommandLineParser>

#include "CliProject.h"
#include "CommandLine.h"
#include "InversionRun.h"
#include "LineCommandSupport.h"
#include "ResultTableExport.h"
#include "SectionPublisher.h"

namespace {
const QString kCommand = QStringLiteral("invert");
}

int runInvertCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOptions({{"line", "line number", "N"},
                       {"out", "section table to write", "FILE"},
                       {"timeout", "longest run in seconds", "SECONDS"}});
    if (!CommandLine::parse(parser, kCommand, arguments, 2))
        return 2;
    const QString method = parser.positionalArguments().first();
    if ((method != "nlcg" && method != "nlls") || !parser.isSet("line")) {
        CommandLine::printError(kCommand, QStringLiteral("usage: invert nlcg|nlls PROJECT --line N"));
        return 2;
    }
    const QString out = LineCommandSupport::absolute(parser.value("out"));
    CliProject project(kCommand);
    if (!project.open(parser.positionalArguments().at(1)))
        return 1;
    Data_Line *line = LineCommandSupport::line(project, parser.value("line"));
    if (!line)
        return 1;
    SectionPublisher publisher;
    InversionRun run(&project.dialogs(), &publisher);
    if (parser.isSet("timeout"))
        run.setTimeout(qMax(1, parser.value("timeout").toInt()) * 1000);
    if (!(method == "nlcg" ? run.runNLCG(*line) : run.runNLLS(*line)))
        return 1;
    const QString path = out.isEmpty() ? QStringLiteral("line-%1-%2.dat").arg(parser.value("line"), method) : out;
    const bool written = ResultTableExport(&project.dialogs()).exportSection(path, publisher.latestSection());
    return LineCommandSupport::exitCode(project, written);
}
