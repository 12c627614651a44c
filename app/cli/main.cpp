// terrascope-cli: the headless front end. A small dispatcher: the first argument names the
// subcommand, the rest belong to it.

#include <QCoreApplication>
#include <QTextStream>
#include <iterator>

#include "CliCommand.h"
#include "DemoCommand.h"

namespace {

const CliCommand commands[] = {
    {"demo", "DIR", "write the built-in synthetic survey (recordings, calibration tables) into DIR",
     runDemoCommand},
};

void printUsage(QTextStream &out)
{
    out << "Usage: terrascope-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const CliCommand &command : commands) {
        out << QStringLiteral("  %1 %2\n      %3\n")
                   .arg(QLatin1String(command.name), QLatin1String(command.usage),
                        QLatin1String(command.summary));
    }
    out << "\n  help    show this text\n";
}

const CliCommand *findCommand(const QString &name)
{
    for (const CliCommand &command : commands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("terrascope-cli"));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (!arguments.isEmpty()
        && (arguments.first() == QLatin1String("help") || arguments.first() == QLatin1String("--help")
            || arguments.first() == QLatin1String("-h"))) {
        QTextStream out(stdout);
        printUsage(out);
        return 0;
    }
    QTextStream err(stderr);
    if (arguments.isEmpty()) {
        printUsage(err);
        return 2;
    }
    const CliCommand *command = findCommand(arguments.first());
    if (!command) {
        err << "terrascope-cli: unknown command \"" << arguments.first() << "\"\n\n";
        printUsage(err);
        return 2;
    }
    return command->run(arguments.mid(1));
}
