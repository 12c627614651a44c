#pragma once
// Helpers shared by the store tests: project files in a temporary folder and raw SQL looks that
// bypass the object-relational layer, so what it wrote is checked by an independent path.

#include "LibDORE.h"

#include <QStringList>
#include <QVariant>
#include <memory>

// Opens path with a new LibDORE and registers the five project classes; null when open fails.
std::unique_ptr<LibDORE> openProject(const QString &path);

// "name TYPE" of every column of table, in table order (PRAGMA table_info).
QStringList rawColumns(LibDORE &db, const QString &table);
// The first column of every row of sql.
QVariantList rawValues(LibDORE &db, const QString &sql);
// The first column of the first row of sql, or an invalid variant.
QVariant rawValue(LibDORE &db, const QString &sql);
// Runs sql; true on success.
bool rawExec(LibDORE &db, const QString &sql);
