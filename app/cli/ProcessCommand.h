#pragma once
// terrascope-cli process PROJECT [--line N] [--station S] [--rebuild] [processing options]:
// recomputes every used recording of the selected stations (scalar estimator per channel pair, or
// tensor processing), then shows each station so that stations without stored curves get them
// assembled from their recordings and stored. Stations with stored curves (possibly edited by
// hand) keep them and are listed; --rebuild clears each selected station before its new results
// are stored. --threads N recordings are computed at once (ProcessRun). Progress goes to standard
// error; the exit code is 1 when a recording failed or the run was cancelled.

#include <QStringList>

int runProcessCommand(const QStringList &arguments);
