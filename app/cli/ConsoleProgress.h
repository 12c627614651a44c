#pragma once
// One piece of long work shown on standard error under its label, such as "[3/14] Line 1, Station
// 2, recording 2 (2400 Hz)". On a terminal a progress bar is redrawn on one line; otherwise a plain
// line is printed at each quarter of the work and whenever the step's text changes. The end comes
// as "<label> ... <outcome>" on a line of its own. Pieces shown from several threads at once write
// whole lines, one at a time; the terminal's bar is that of the earliest piece still reporting
// (the one made first), so recordings computed side by side are shown in their order.

#include <QString>

class ConsoleProgress {
public:
    explicit ConsoleProgress(const QString &label = QString());
    ~ConsoleProgress();
    ConsoleProgress(const ConsoleProgress &) = default;
    ConsoleProgress &operator=(const ConsoleProgress &) = default;

    void show(double fraction, const QString &text);
    void finish(const QString &outcome);

    // Prints text as a line of its own, below a bar the terminal shows (which is drawn again at
    // its next report): the operator's messages.
    static void message(const QString &text);

private:
    void drawBar(double fraction, const QString &text);
    void printLine(double fraction, const QString &text);
    void releaseBar() const;

    bool terminal;
    QString label;
    unsigned long long order;
    int shownQuarter = -1;
    QString shownText;
};
