#pragma once
// Text files written by the exports, the inversion runs and the generated work folders: opened
// truncated for writing and checked once written, every failure logged with the writer's name, the
// path and the reason.

#include <QString>

class QFile;
class QTextStream;

namespace TextFileOutput {

// Opens file (its name already set) for writing as text, truncating it. False, with the warning
// "<who>: cannot open <path> - <reason>", when it cannot be opened.
bool open(QFile &file, const char *who);
// Flushes out and tells whether everything written to file arrived. False, with the warning
// "<who>: writing <path> failed - <reason>", when it did not.
bool finish(QFile &file, QTextStream &out, const char *who);
// Writes text into file (opened by open) and closes it. An empty string when every byte arrived
// and the file closed cleanly; otherwise "<path>: <reason>", also logged as a warning.
QString writeAndClose(QFile &file, const QString &text, const char *who);

} // namespace TextFileOutput
