#pragma once
// The parts of the demo work folder beside the synthetic survey and its project: the folders the
// program writes into ("tensors" for tensor result files, "nlcg" and "nlls" for the inversion
// runs), the colour scales in "ColorScales" and the earth model file.

#include <QString>

#include "SurveyPlan.h"

namespace DemoWorkFolder {

// "<projectName>-model.txt": the earth models, for comparing results.
QString modelFileName(const QString &projectName);

// Creates the folders, writes the colour scales and the model file into workDir. False (warning
// naming the path) on the first failure.
bool writeExtras(const QString &workDir, const QString &projectName, const SurveyPlan &survey);

} // namespace DemoWorkFolder
