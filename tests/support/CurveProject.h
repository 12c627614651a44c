#pragma once
// A project file whose stations carry stored curves and nothing else: for the suites that work on
// curves (volumes, sections) and need no recordings.

#include <QList>
#include <QString>
#include <QVector>

#include "SpectralRecords.h"

struct CurveStation {
    int line = 1;
    float number = 1.0f;
    QVector<OneFreqImpedance> exHy;   // stored as Data_ImpedanceEx
    QVector<OneFreqImpedance> eyHx;   // stored as Data_ImpedanceEy
};

namespace CurveProject {

// Writes a new project file at path with one project row and the stations in their lines, all
// used, HasResult 1. False when the file cannot be written.
bool write(const QString &path, const QList<CurveStation> &stations);

} // namespace CurveProject
