#include "ConsoleProgress.h"

#include <QMutex>
#include <QMutexLocker>
#include <QTextStream>
#include <QtGlobal>
#include <atomic>
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

std::atomic<unsigned long long> madePieces{0};

// The piece whose bar the terminal line shows (never dereferenced), its order and whether a bar
// is on the line; guarded by consoleLock.
const ConsoleProgress *barOwner = nullptr;
unsigned long long barOwnerOrder = 0;
bool barShown = false;

bool stderrIsTerminal()
{
    return isatty(fileno(stderr)) != 0;
}

// Clears the terminal line of a bar; consoleLock held.
void clearBar(QTextStream &err)
{
    if (barShown)
        err << "\r\x1b[K";
    barShown = false;
}

} // namespace

ConsoleProgress::ConsoleProgress(const QString &label)
    : terminal(stderrIsTerminal()), label(label), order(madePieces++)
{
}

ConsoleProgress::~ConsoleProgress()
{
    releaseBar();
}

void ConsoleProgress::releaseBar() const
{
    QMutexLocker lock(&consoleLock());
    if (barOwner == this)
        barOwner = nullptr;
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
    releaseBar();
    QMutexLocker lock(&consoleLock());
    QTextStream err(stderr);
    clearBar(err);
    err << label << " ... " << outcome << '\n';
}

void ConsoleProgress::message(const QString &text)
{
    QMutexLocker lock(&consoleLock());
    QTextStream err(stderr);
    clearBar(err);
    err << text << '\n';
}

void ConsoleProgress::drawBar(double fraction, const QString &text)
{
    const int filled = qRound(fraction * kBarWidth);
    QMutexLocker lock(&consoleLock());
    if (barOwner && barOwner != this && barOwnerOrder < order)
        return;
    // A complete piece hands the line to the next one that reports.
    barOwner = fraction < 1.0 ? this : nullptr;
    barOwnerOrder = order;
    barShown = true;
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
