#pragma once
// terrascope-cli merge A B: merges project file B into project file A.

#include <QStringList>

int runMergeCommand(const QStringList &arguments);
