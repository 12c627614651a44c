#pragma once
// terrascope-cli volume PROJECT --coordinates FILE [settings] --out FILE.vti: the pseudo-3-D
// resistivity volume of the surveyed stations as a VTK image file, with PNG depth slices beside it.

#include <QStringList>

int runVolumeCommand(const QStringList &arguments);
