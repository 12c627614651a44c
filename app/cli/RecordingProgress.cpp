#include "RecordingProgress.h"

RecordingProgress::RecordingProgress(const QString &label, const WorkFeedback &command)
    : command(command), display(label)
{
}

void RecordingProgress::reported()
{
    if (command.isCancelled())
        cancel();
    display.show(fraction(), text());
}
