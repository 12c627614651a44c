#pragma once
// Number reading shared by the two stand-in programs.

#include <QString>
#include <QStringList>
#include <vector>

// The numbers of line: brackets, commas and white space separate them; other text reads as 0.
std::vector<double> numbersOf(const QString &line);
// The first number of line; 0 for a line without one.
double firstNumber(const QString &line);
// Reads the whole text file at path into lines; false when it cannot be opened.
bool readLines(const QString &path, QStringList &lines);
// Writes text to path; false on failure.
bool writeText(const QString &path, const QString &text);
// values, at most perLine to a line, separated by single spaces.
QString wrapped(const std::vector<double> &values, int perLine);
