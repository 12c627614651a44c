#include "InvertCommand.h"

#include <QCommandLineParser>

#include "CliProject.h"
#include "CommandLine.h"
#include "LineCommandSupport.h"

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
    const int line = LineCommandSupport::linePosition(project, parser.value("line"));
    if (line < 0)
        return 1;
    const int timeoutMs = parser.isSet("timeout") ? qMax(1, parser.value("timeout").toInt()) * 1000
                                                  : InversionRun::kDefaultTimeoutMs;
    TreeModel_Index &hub = project.hub();
    project.feedback().begin(QStringLiteral("%1 run of line %2").arg(method, parser.value("line")));
    const bool ran = method == "nlcg" ? hub.runNLCG(line, timeoutMs) : hub.runNLLS(line, timeoutMs);
    project.feedback().end(project.feedback().outcome(ran));
    if (!ran)
        return 1;
    const QString path = out.isEmpty() ? QStringLiteral("line-%1-%2.dat").arg(parser.value("line"), method) : out;
    return LineCommandSupport::writeSection(project, path);
}
