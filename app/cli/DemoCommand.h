#pragma once
// terrascope-cli demo DIR: writes a ready work folder into DIR: the built-in synthetic survey
// (recordings and calibration tables), its project file "DIR/demo.HMT", the earth models
// ("DIR/demo-model.txt"), colour scales and the folders the processing writes into.

#include <QStringList>

int runDemoCommand(const QStringList &arguments);
