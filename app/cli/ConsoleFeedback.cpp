#include "ConsoleFeedback.h"

#include <csignal>

namespace {

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

ConsoleFeedback::ConsoleFeedback() = default;

ConsoleFeedback::~ConsoleFeedback()
{
    if (running)
        end(QStringLiteral("stopped"));
    if (interruptible == this) {
        std::signal(SIGINT, SIG_DFL);
        interruptible = nullptr;
    }
}

void ConsoleFeedback::catchInterrupt()
{
    if (interruptible != this) {
        interruptible = this;
        std::signal(SIGINT, cancelOnInterrupt);
    }
}

void ConsoleFeedback::begin(const QString &text)
{
    progress = ConsoleProgress(text);
    running = true;
    catchInterrupt();
}

void ConsoleFeedback::end(const QString &outcome)
{
    running = false;
    progress.finish(outcome);
}

QString ConsoleFeedback::outcome(bool succeeded) const
{
    if (succeeded)
        return QStringLiteral("done");
    return isCancelled() ? QStringLiteral("cancelled") : QStringLiteral("failed");
}

void ConsoleFeedback::reported()
{
    if (running)
        progress.show(fraction(), text());
}
