#pragma once
// The command line's view of long work, on standard error. On a terminal a progress bar is redrawn
// on one line; otherwise a plain line is printed at each quarter of the work and whenever the
// step's text changes. From the first begin on, Ctrl+C (SIGINT) cancels the work in hand and the
// work after it: it stops at its next step and stores nothing; a second Ctrl+C ends the program at
// once.

#include <QString>

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

protected:
    void reported() override;

private:
    void drawBar();
    void printLine();

    bool terminal;
    bool running = false;
    QString label;
    int shownQuarter = -1;
    QString shownText;
};
