#pragma once
// terrascope-cli process PROJECT [--line N] [--station S] [--rebuild] [processing options]:
// recomputes every used recording of the selected stations (scalar estimator per channel pair, or
// tensor processing), then shows each station so that stations without stored curves get them
// assembled from their recordings and stored. Stations with stored curves (possibly edited by
// hand) keep them and are listed; --rebuild clears the selected stations first. Progress goes to
// standard error; the exit code is 1 when a recording failed.

#include <QStringList>

int runProcessCommand(const QStringList &arguments);
