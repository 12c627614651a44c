#pragma once
// terrascope-cli export edi|eh4|raw|spectrum|section PROJECT --line N [--station S] --out PATH
// [--start N]: an EDI file of one station, the EH4 point files or raw result tables of a line
// (into the folder --out), the line's spectrum table (the file --out; segments of 16384 samples,
// at most 30 per recording, the processing defaults), or the line's depth-section table (the
// options of the section command).

#include <QStringList>

int runExportCommand(const QStringList &arguments);
