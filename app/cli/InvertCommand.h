#pragma once
// terrascope-cli invert nlcg|nlls PROJECT --line N [--out FILE] [--timeout SECONDS]: a 2-D
// inversion run of the line through the programs in the project folder's "nlcg" or "nlls"; the
// section is written as a position,depth,value table and summed up on one line.

#include <QStringList>

int runInvertCommand(const QStringList &arguments);
