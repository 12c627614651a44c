#pragma once
// One subcommand of terrascope-cli: its name, a one-line usage and summary for the help text, and
// the function that runs it on the arguments after the name. run returns the process exit code
// and writes its errors to standard error.

#include <QStringList>

struct CliCommand {
    const char *name;
    const char *usage;    // arguments, e.g. "DIR"
    const char *summary;
    int (*run)(const QStringList &arguments);
    bool drawsImages = false;  // runs under a QGuiApplication (fonts), on the offscreen platform
};
