#pragma once
// Who runs the middle part of a long command: the part that only reads files and computes, so
// that a shell may move it off the thread that owns the database and the windows (the desktop
// program runs it on a worker thread under a progress dialog; the command line runs it inline).
// Reading the project before and storing or reporting after stay with the caller.

#include <QString>
#include <functional>

class WorkFeedback;

// Runs job under title with a feedback of its choice; true when the job ran to its end, false
// when it was cancelled or never started (then the caller stores and writes nothing of it).
// The job touches neither the database nor widgets nor the operator's dialogs.
using WorkRunner =
    std::function<bool(const QString &title, const std::function<void(WorkFeedback &)> &job)>;

// A runner that runs the job at once on the calling thread with feedback, which must outlive it.
WorkRunner inlineWorkRunner(WorkFeedback &feedback);
