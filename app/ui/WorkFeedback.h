#pragma once
// Progress and cancellation shared between a job on a worker thread and the progress dialog on
// the GUI thread. The job reports a fraction in [0, 1] with a short text and asks, between its
// steps, whether the operator cancelled; the dialog polls what was reported.

#include <QMutex>
#include <QString>
#include <atomic>

class WorkFeedback {
public:
    // fraction is clamped to [0, 1]; an empty text keeps the previous one.
    void report(double fraction, const QString &text = QString());
    void cancel() { cancelled = true; }
    bool isCancelled() const { return cancelled; }

    double fraction() const { return permille / 1000.0; }
    QString text() const;

private:
    std::atomic<int> permille{0};
    std::atomic<bool> cancelled{false};
    mutable QMutex textLock;
    QString currentText;
};
