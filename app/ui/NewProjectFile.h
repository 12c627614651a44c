#pragma once
// A new, empty project file: the five entity tables and one project row named after the file.

#include <QString>

namespace NewProjectFile {

// Creates the project file at path. Refuses an existing file (a project must not gain a second
// project row); on a failed write no file is left behind. False with error set on failure.
bool create(const QString &path, QString &error);

} // namespace NewProjectFile
