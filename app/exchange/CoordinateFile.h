#pragma once
// The coordinate file of a 3-D volume: text, one surveyed station per line with five fields, line
// number, station number, x (east, m), y (north, m) and elevation (m), separated like every text
// file of the system; further fields are ignored. Lines with fewer than five fields or with a field that is not a
// number (a header naming the columns, a blank line) are skipped.

#include <QList>
#include <QString>

#include "VolumeSettings.h"

namespace CoordinateFile {

// The points in file order. False (no points) when the file cannot be opened.
bool read(const QString &path, QList<CoordinatePoint> &points);

} // namespace CoordinateFile
