#pragma once
// terrascope-cli compare PROJECT [--model FILE] [--estimator NAME]: compares every station of the
// model file (default "<project name>-model.txt" beside the project) with the curves its earth
// model predicts: the stored ExHy and EyHx curves, and the Zxy and Zyx elements of the tensor
// result files, over the interior of each recording's band. Prints the largest resistivity and
// phase misfits per curve; exit code 1 when a curve misses 5 % or 2 degrees.

#include <QStringList>

int runCompareCommand(const QStringList &arguments);
