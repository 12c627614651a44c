#pragma once
// Reader of sensor and gain calibration tables. Text; "#" starts a comment; each data line holds
// frequency (Hz), amplitude (the magnitude a measured line is divided by) and phase (degrees) as
// its first three fields, split as every text reader splits them; blank lines are skipped.
// A load fails (false, with a debug line naming the file) on a missing or unreadable file, a data
// line whose first three fields are not all finite numbers, fewer than two rows, a non-positive
// amplitude or a repeated frequency. A failed load keeps the table of the last successful one.

#include <QList>
#include <QString>

#include "SpectralRecords.h"

class Trimora {
public:
    bool getSensorDataList(const QString &file);
    bool getGainDataList(const QString &file);
    // The table of the last successful load, sorted by frequency, phase in radians.
    QList<OneFreqCheck> getCheckedData() const;
    // Why the last load failed (for example "line 3: \"x\" is not a finite number"); empty after a
    // successful load.
    QString lastError() const;

private:
    QList<OneFreqCheck> table;
    QString error;
};
