#pragma once
// Runs long work without freezing the window: the job runs on a worker thread while a modal
// progress dialog with a Cancel button shows what it reports and the event loop keeps turning
// (the window repaints, timers fire). One job at a time: a second one is refused while one runs.
// Cancel asks the job to stop at its next step; the call returns once the job has ended, so the
// caller stores results (on the GUI thread, where the database lives) only from a finished job.
//
// A job is a function of files and settings: it must not touch the project database or widgets.

#include <QObject>
#include <functional>

class QWidget;
class WorkFeedback;

class LongWork : public QObject {
    Q_OBJECT
public:
    using Job = std::function<void(WorkFeedback &)>;
    enum Outcome { Finished, Cancelled, Refused };

    // parent: the window the progress dialog is modal to.
    explicit LongWork(QWidget *window, QObject *parent = nullptr);

    // Runs job under a progress dialog titled title; returns when it has ended. Refused (the job
    // never ran) while another job runs.
    Outcome run(const QString &title, const Job &job);
    bool isBusy() const { return busy; }
    // Asks the running job to stop and waits, with the event loop turning, until its thread has
    // ended (run returns Cancelled once control gets back to it).
    void cancelAndWait();

    // How often the dialog shows the job's progress, in milliseconds.
    static constexpr int kPollMs = 50;

signals:
    void busyChanged(bool busy);

private:
    QWidget *window;
    WorkFeedback *running = nullptr;
    class QThread *worker = nullptr;
    bool busy = false;
};
