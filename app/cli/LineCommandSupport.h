#pragma once
// Helpers of the line-level exchange subcommands: the position of a project's line by its
// number, and an output path made absolute before the project's folder becomes the working
// folder.

#include <QString>

class CliProject;

namespace LineCommandSupport {

// The hub's position of the line named lineText, or -1 (message printed).
int linePosition(CliProject &project, const QString &lineText);
// path relative to the folder the command was started in.
QString absolute(const QString &path);
// 0 when the command succeeded and the operator saw no warning or critical box, 1 otherwise.
int exitCode(CliProject &project, bool succeeded);

} // namespace LineCommandSupport
