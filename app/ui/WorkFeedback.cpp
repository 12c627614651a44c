#include "WorkFeedback.h"

#include <QMutexLocker>
#include <QtGlobal>

void WorkFeedback::report(double fraction, const QString &text)
{
    permille = qRound(qBound(0.0, fraction, 1.0) * 1000.0);
    if (text.isEmpty())
        return;
    QMutexLocker lock(&textLock);
    currentText = text;
}

QString WorkFeedback::text() const
{
    QMutexLocker lock(&textLock);
    return currentText;
}
