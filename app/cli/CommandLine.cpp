#include "CommandLine.h"

#include <QTextStream>

namespace CommandLine {

void printError(const QString &command, const QString &text)
{
    QTextStream(stderr) << "terrascope-cli " << command << ": " << text << '\n';
}

bool parse(QCommandLineParser &parser, const QString &command, const QStringList &arguments,
           int positionalCount)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList{QStringLiteral("terrascope-cli")} + arguments)) {
        printError(command, parser.errorText());
        return false;
    }
    if (parser.positionalArguments().size() != positionalCount) {
        printError(command, QStringLiteral("expected %1 argument(s), got %2; see terrascope-cli help")
                                .arg(positionalCount).arg(parser.positionalArguments().size()));
        return false;
    }
    return true;
}

} // namespace CommandLine
