#pragma once
// terrascope-cli curve PROJECT --line N --station S [--tensor]: the station's stored curves as a
// comma-separated table on standard output, one row per frequency; with --tensor its tensor
// results from the band files in "tensors/" instead. Exit code 1 when the project, line or
// station does not exist or the station has no such results.

#include <QStringList>

int runCurveCommand(const QStringList &arguments);
