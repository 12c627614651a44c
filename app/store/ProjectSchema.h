#pragma once
// The five entity classes of a project database, registered parents first; the test that tells a
// project file from other files; and the creation of a new project file.

#include <QString>

class LibDORE;

// Registers Data_Project, Data_Line, Data_Station, Data_SampleData and Data_ProcessData in that
// order, creating missing tables and adding missing columns.
void registerProjectSchema(LibDORE &db);

// Why the open database is not a project file: one of the five tables, or its key column ID, is
// missing (an empty file, another program's database, a damaged project). Empty for a project.
// Reads only, so a refused file stays as it was.
QString projectFileProblem(LibDORE &db);
// The project tables the open database lacks or holds without their key column ID, by name; empty
// for a project. Reads only.
QStringList incompleteProjectTables(LibDORE &db);

// Opens the existing project file path in db and registers the five classes (adding the columns
// an older project lacks). False, with problem set, db left closed and the file untouched, when
// the file is missing, not a database or not a project file.
bool openProjectFile(LibDORE &db, const QString &path, QString &problem);

// Creates the project file path (which must not exist yet): the five tables and one project row
// named name, dated now. False, with problem set and no file left behind, when the file exists or cannot be
// written.
bool createProjectFile(const QString &path, const QString &name, QString &problem);
