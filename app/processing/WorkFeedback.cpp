#include "WorkFeedback.h"

#include <QMutexLocker>
#include <QtGlobal>

void WorkFeedback::report(double fraction, const QString &text)
{
    permille = qRound(qBound(0.0, fraction, 1.0) * 1000.0);
    if (!text.isEmpty()) {
        QMutexLocker lock(&textLock);
        currentText = text;
    }
    reported();
}

QString WorkFeedback::text() const
{
    QMutexLocker lock(&textLock);
    return currentText;
}

WorkFeedback::Step WorkFeedback::step(double from, double to, const QString &text)
{
    return [this, from, to, text](double fraction) {
        report(from + (to - from) * qBound(0.0, fraction, 1.0), text);
        return !isCancelled();
    };
}
