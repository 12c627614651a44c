#pragma once
// Option parsing shared by the subcommands.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace CommandLine {

// Prints "terrascope-cli <command>: text" to standard error.
void printError(const QString &command, const QString &text);

// Parses the arguments after the subcommand's name. False (message printed) on an unknown
// option, a missing option value or a positional argument count other than positionalCount.
bool parse(QCommandLineParser &parser, const QString &command, const QStringList &arguments,
           int positionalCount);

} // namespace CommandLine
