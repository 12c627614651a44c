#include "ConsoleFeedback.h"

#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kBarWidth = 30;

// The feedback Ctrl+C cancels; set from the first begin until the feedback is destroyed, so a
// Ctrl+C between two pieces of work cancels the rest of the command too.
ConsoleFeedback *interruptible = nullptr;

extern "C" void cancelOnInterrupt(int)
{
    if (interruptible)
        interruptible->cancel();
    std::signal(SIGINT, SIG_DFL);
}

} // namespace

ConsoleFeedback::ConsoleFeedback() : terminal(isatty(fileno(stderr)) != 0) {}

ConsoleFeedback::~ConsoleFeedback()
{
    if (running)
        end(QStringLiteral("stopped"));
    if (interruptible == this) {
        std::signal(SIGINT, SIG_DFL);
        interruptible = nullptr;
    }
}

void ConsoleFeedback::begin(const QString &text)
{
    label = text;
    running = true;
    shownQuarter = -1;
    shownText.clear();
    if (interruptible != this) {
        interruptible = this;
        std::signal(SIGINT, cancelOnInterrupt);
    }
}

void ConsoleFeedback::end(const QString &outcome)
{
    running = false;
    QTextStream err(stderr);
    if (terminal)
        err << "\r\x1b[K";
    err << label << " ... " << outcome << '\n';
}

QString ConsoleFeedback::outcome(bool succeeded) const
{
    if (succeeded)
        return QStringLiteral("done");
    return isCancelled() ? QStringLiteral("cancelled") : QStringLiteral("failed");
}

void ConsoleFeedback::reported()
{
    if (!running)
        return;
    if (terminal)
        drawBar();
    else
        printLine();
}

void ConsoleFeedback::drawBar()
{
    const int filled = qRound(fraction() * kBarWidth);
    QTextStream(stderr) << "\r\x1b[K" << label << " [" << QString(filled, QLatin1Char('#'))
                        << QString(kBarWidth - filled, QLatin1Char('-')) << "] "
                        << qRound(fraction() * 100) << "% " << text();
}

void ConsoleFeedback::printLine()
{
    const int quarter = int(fraction() * 4);
    if (quarter == shownQuarter && text() == shownText)
        return;
    shownQuarter = quarter;
    shownText = text();
    QTextStream(stderr) << label << ": " << qRound(fraction() * 100) << "% " << shownText << '\n';
}
