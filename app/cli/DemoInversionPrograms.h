#pragma once
// Places the stand-in inversion programs, built beside terrascope-cli, into a work folder's
// "nlcg" and "nlls" (with the "nlls/SampleData" folder the least-squares run writes into).

#include <QString>

namespace DemoInversionPrograms {

// False (warning naming the file) when a program is missing or cannot be copied.
bool install(const QString &workDir);

} // namespace DemoInversionPrograms
