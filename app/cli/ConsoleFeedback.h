#pragma once
// The command line's view of long work, on standard error (as ConsoleProgress shows it). From the
// first begin (or catchInterrupt) on, Ctrl+C (SIGINT) cancels the work in hand and the
// work after it: it stops at its next step and stores nothing; a second Ctrl+C ends the program at
// once.

#include <QString>

#include "ConsoleProgress.h"
#include "WorkFeedback.h"

class ConsoleFeedback : public WorkFeedback {
public:
    ConsoleFeedback();
    ~ConsoleFeedback() override;

    // Starts a piece of work shown under label, such as "[3/14] Line 1, Station 2, recording 2
    // (2400 Hz)", and lets Ctrl+C cancel it.
    void begin(const QString &label);
    // Ends it with "<label> ... <outcome>" on a line of its own.
    void end(const QString &outcome);
    // "done", or for work that did not succeed "cancelled" or "failed".
    QString outcome(bool succeeded) const;
    // Lets Ctrl+C cancel this feedback from now on, for work shown some other way.
    void catchInterrupt();

protected:
    void reported() override;

private:
    bool running = false;
    ConsoleProgress progress;
};
