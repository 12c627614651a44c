#include "WorkRunner.h"

#include "WorkFeedback.h"

WorkRunner inlineWorkRunner(WorkFeedback &feedback)
{
    return [&feedback](const QString &, const std::function<void(WorkFeedback &)> &job) {
        job(feedback);
        return !feedback.isCancelled();
    };
}
