#pragma once
// Helpers of the line-level exchange subcommands: the position of a project's line by its
// number, an output path made absolute before the project's folder becomes the working folder,
// and the section table a section run ends with.

#include <QString>

class CliProject;

namespace LineCommandSupport {

// The hub's position of the line named lineText, or -1 (message printed).
int linePosition(CliProject &project, const QString &lineText);
// path relative to the folder the command was started in.
QString absolute(const QString &path);
// 0 when the command succeeded and the operator saw no warning or critical box, 1 otherwise.
int exitCode(CliProject &project, bool succeeded);
// Writes the hub's latest section to path and, when written, prints a one-line summary of it
// (columns, layers, deepest boundary, resistivity range) to standard output; the exit code.
int writeSection(CliProject &project, const QString &path);

} // namespace LineCommandSupport
