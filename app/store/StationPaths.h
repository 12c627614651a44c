#pragma once
// Names the project gives a station: its label, its folder of recordings below the project
// folder, and the base path of its tensor result files (relative to the working folder).

#include <QString>

namespace StationPaths {

// The station number in shortest general format (six significant digits): 12 -> "12",
// 12.5 -> "12.5".
QString numberText(float stationNum);
// "Station 12.5".
QString stationLabel(float stationNum);
// "Line 3".
QString lineLabel(int lineName);
// projectFolder + "/data/Line <line>/Station <station>".
QString stationFolder(const QString &projectFolder, int lineName, float stationNum);
// "tensors/<station>"; the writer appends the band extension.
QString tensorBasePath(float stationNum);

} // namespace StationPaths
