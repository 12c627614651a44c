#pragma once
// Reading back what the program wrote, independently of the program: the bytes of a file, and the
// rows of a statement run on a project file through an SQLite connection of the test's own.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantList>

namespace ReadBack {

// The file's bytes; empty when it cannot be read.
QByteArray contents(const QString &path);

// Every row of statement on file, each a list of its columns; empty when it cannot be run. The
// connection is closed before returning, so the file is free for the program again.
QList<QVariantList> rows(const QString &file, const QString &statement);

} // namespace ReadBack
