#pragma once
// The earth models of a synthetic survey, written beside its project so that results can be
// compared with the curves the models predict. Text, one line per station and polarisation:
//   line station polarisation basement_rho [rho thickness]...
// with polarisation "xy" (the earth of Zxy, seen by the ExHy pair) or "yx" (Zyx, seen by EyHx),
// resistivities in ohm-m and thicknesses in m, layers from the surface down. Lines starting with
// "#" are comments. Models are in the recording axes (no rotation).

#include <QList>
#include <QString>

#include "LayeredEarth.h"
#include "SurveyPlan.h"

namespace DemoModelFile {

struct StationEarths {
    int line = 0;
    float station = 0.0f;
    LayeredEarth xy;
    LayeredEarth yx;
};

// Where the demo writes the models of the project in projectFile: "<name>-model.txt" beside it,
// as an absolute path (resolved against the working folder at the call).
QString besideProject(const QString &projectFile);
// False (warning naming the file) when it cannot be written or a station's model is rotated.
bool write(const QString &path, const SurveyPlan &survey);
// False (warning naming the file and line) when it cannot be read or a line is malformed.
bool read(const QString &path, QList<StationEarths> &stations);

} // namespace DemoModelFile
