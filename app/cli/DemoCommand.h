#pragma once
// terrascope-cli demo DIR: writes the built-in synthetic survey work folder into DIR.

#include <QStringList>

int runDemoCommand(const QStringList &arguments);
