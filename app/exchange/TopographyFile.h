#pragma once
// The elevation file of a survey line: text, one point per line, position along the line (the
// unit and origin of the station numbers) and elevation in metres as the first two fields; other
// fields are ignored and lines with fewer than two fields are skipped.

#include <QList>
#include <QString>
#include <QVector>

#include "ProcessingRecords.h"

namespace TopographyFile {

// The points sorted by position. A position within 1e-7 of the previous one is a repeat: the first
// point read is kept and the position is listed once in duplicates. False (no points) when the
// file cannot be opened.
bool read(const QString &path, QVector<TopoData> &topography, QList<double> &duplicates);

} // namespace TopographyFile
