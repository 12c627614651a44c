#include "ConsoleProgress.h"

#include <QMutex>
#include <QMutexLocker>
#include <QTextStream>
#include <QtGlobal>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kBarWidth = 30;

// Standard error is shared by every piece of work shown at once.
QMutex &consoleLock()
{
    static QMutex lock;
    return lock;
}

} // namespace

ConsoleProgress::ConsoleProgress(const QString &label)
    : terminal(isatty(fileno(stderr)) != 0), label(label)
{
}

void ConsoleProgress::show(double fraction, const QString &text)
{
    if (terminal)
        drawBar(fraction, text);
    else
        printLine(fraction, text);
}

void ConsoleProgress::finish(const QString &outcome)
{
    QMutexLocker lock(&consoleLock());
    QTextStream err(stderr);
    if (terminal)
        err << "\r\x1b[K";
    err << label << " ... " << outcome << '\n';
}

void ConsoleProgress::drawBar(double fraction, const QString &text)
{
    const int filled = qRound(fraction * kBarWidth);
    QMutexLocker lock(&consoleLock());
    QTextStream(stderr) << "\r\x1b[K" << label << " [" << QString(filled, QLatin1Char('#'))
                        << QString(kBarWidth - filled, QLatin1Char('-')) << "] "
                        << qRound(fraction * 100) << "% " << text;
}

void ConsoleProgress::printLine(double fraction, const QString &text)
{
    const int quarter = int(fraction * 4);
    if (quarter == shownQuarter && text == shownText)
        return;
    shownQuarter = quarter;
    shownText = text;
    QMutexLocker lock(&consoleLock());
    QTextStream(stderr) << label << ": " << qRound(fraction * 100) << "% " << shownText << '\n';
}
