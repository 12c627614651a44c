#pragma once
// Progress and cancellation of long work (recomputing recordings, tensor processing, the spectrum
// export, waiting for an inversion program), handed down by whoever starts the work: the desktop
// program's progress dialog, the command line's progress bar, a test. The work reports a fraction
// in [0, 1] with a short text and asks, between its steps (segments, recordings), whether the
// operator cancelled; cancelled work stops, stores and writes nothing and tells the operator.
// Reports and cancellation may come from different threads.

#include <QMutex>
#include <QString>
#include <atomic>
#include <functional>

class WorkFeedback {
public:
    // A step's own progress callback: takes the step's fraction done and says whether to go on.
    using Step = std::function<bool(double fraction)>;

    WorkFeedback() = default;
    virtual ~WorkFeedback() = default;
    WorkFeedback(const WorkFeedback &) = delete;
    WorkFeedback &operator=(const WorkFeedback &) = delete;

    // fraction is clamped to [0, 1]; an empty text keeps the previous one.
    void report(double fraction, const QString &text = QString());
    // Asks the work to stop at its next step. Safe from a signal handler.
    void cancel() { cancelled = true; }
    bool isCancelled() const { return cancelled; }

    double fraction() const { return permille / 1000.0; }
    QString text() const;

    // The callback of a step that spans [from, to] of the whole work under text: it reports
    // from + (to - from) x its fraction and returns false once the work is cancelled.
    Step step(double from, double to, const QString &text);

protected:
    // Called on the reporting thread after every report, for a display that shows reports as
    // they come (the command line); the progress dialog polls instead.
    virtual void reported() {}

private:
    std::atomic<int> permille{0};
    std::atomic<bool> cancelled{false};
    mutable QMutex textLock;
    QString currentText;
};
