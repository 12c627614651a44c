#pragma once
// Fixture files for the reader tests and the checks they share.

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QVector>

// Writes bytes to path; false when it cannot.
bool writeFixture(const QString &path, const QByteArray &bytes);
// Little-endian int32 counts, byte by byte (independent of the reader's conversion).
QByteArray int32LittleEndian(const QVector<qint32> &counts);
// Matches any message that names file.
QRegularExpression namingFile(const QString &file);

int runTextFieldsTests(int argc, char **argv);
int runWavefileTests(int argc, char **argv);
int runTrimoraTests(int argc, char **argv);
