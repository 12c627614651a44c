#pragma once
// The desktop program's look: Qt's Fusion style with a light palette by default, and the other
// palettes the frame's Options menu offers.

class QApplication;

enum class DesktopTheme { Light, Dark };

void applyDesktopTheme(QApplication &app, DesktopTheme theme);
