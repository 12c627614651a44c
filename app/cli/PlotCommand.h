#pragma once
// terrascope-cli plot curve PROJECT --line N --station S --out FILE.png: a station's sounding
// curves with its earth model's curves when the demo model lies beside the project;
// terrascope-cli plot section FILE --out FILE.png: a section table as a colour-mapped section.

#include <QStringList>

int runPlotCommand(const QStringList &arguments);
