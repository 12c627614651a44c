#pragma once
// Reader of sensor and gain calibration tables. Text; "#" starts a comment; each data line holds
// frequency (Hz), amplitude (the magnitude a measured line is divided by) and phase (degrees).

#include <QList>
#include <QString>

#include "SpectralRecords.h"

class Trimora {
public:
    bool getSensorDataList(const QString &file);
    bool getGainDataList(const QString &file);
    // The table of the last successful load, sorted by frequency, phase in radians.
    QList<OneFreqCheck> getCheckedData() const;

private:
    QList<OneFreqCheck> table;
};
