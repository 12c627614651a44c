#pragma once
// terrascope-cli section PROJECT --line N --topo FILE [--out FILE] [parameters]: the line's
// one-dimensional depth section, written as a position,depth,value table and summed up on one line.

#include <QStringList>

int runSectionCommand(const QStringList &arguments);
