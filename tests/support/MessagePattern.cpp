#include "MessagePattern.h"

#include <QStringList>

const QString kCauseMarker = QStringLiteral("\u0001");

bool matchesPattern(const QString &shown, const QString &pattern)
{
    int from = 0;
    for (const QString &piece : pattern.split(kCauseMarker)) {
        from = shown.indexOf(piece, from);
        if (from < 0)
            return false;
        from += piece.size();
    }
    return true;
}
