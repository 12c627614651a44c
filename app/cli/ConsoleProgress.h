#pragma once
// One piece of long work shown on standard error under its label, such as "[3/14] Line 1, Station
// 2, recording 2 (2400 Hz)". On a terminal a progress bar is redrawn on one line; otherwise a plain
// line is printed at each quarter of the work and whenever the step's text changes. The end comes
// as "<label> ... <outcome>" on a line of its own. Pieces shown from several threads at once write
// whole lines, one at a time.

#include <QString>

class ConsoleProgress {
public:
    explicit ConsoleProgress(const QString &label = QString());

    void show(double fraction, const QString &text);
    void finish(const QString &outcome);

private:
    void drawBar(double fraction, const QString &text);
    void printLine(double fraction, const QString &text);

    bool terminal;
    QString label;
    int shownQuarter = -1;
    QString shownText;
};
