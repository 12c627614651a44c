#pragma once
// The field splitter shared by every text reader of the system: a line is split on runs of commas,
// asterisks, semicolons, tabs, vertical bars and white space; empty fields are dropped.

#include <QChar>
#include <QStringList>
#include <QStringView>

// True for the characters that separate fields: , * ; | and any white space (tabs included).
bool isTextFieldSeparator(QChar c);

// The fields of line in order, without empty ones. With maxFields > 0 at most that many fields are
// returned and the rest of the line is not scanned (a reader that needs only the first columns
// of a long line stops early).
QStringList splitTextFields(QStringView line, int maxFields = -1);
