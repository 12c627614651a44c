#pragma once
// The feedback of one recording computed beside others: its progress is shown under its own
// label, and it takes on the command's cancellation (Ctrl+C) at its next report.

#include "ConsoleProgress.h"
#include "WorkFeedback.h"

class RecordingProgress : public WorkFeedback {
public:
    // command must outlive this feedback.
    RecordingProgress(const QString &label, const WorkFeedback &command);

    // Shows "<label> ... <outcome>"; called once the recording's computation has ended.
    void finish(const QString &outcome) { display.finish(outcome); }

protected:
    void reported() override;

private:
    const WorkFeedback &command;
    ConsoleProgress display;
};
