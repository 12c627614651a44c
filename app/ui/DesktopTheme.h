#pragma once
// The desktop program's looks: Qt's Fusion style with one palette per theme of the Options menu.
// Each theme is a window tint, an accent colour and whether it is dark; the palette is derived
// from those, so every widget (the ribbon included) follows a theme change without a restart.

#include <QColor>
#include <QList>
#include <QPalette>
#include <QString>

class QApplication;

struct DesktopTheme {
    QString name;     // internal name, e.g. "Office2007Blue"
    QString family;   // submenu of the Options menu ("Office 2007"), empty for a single entry
    QString label;    // entry text ("Blue", or "Windows 7 Scenic" for a single entry)
    QColor window;    // window and ribbon tint
    QColor accent;    // selection, system button and focus colour
    bool dark = false;

    // Every theme, the first one being the default.
    static const QList<DesktopTheme> &all();
    // The theme of that internal name, or the default one.
    static DesktopTheme named(const QString &name);

    QPalette palette() const;
    // Sets the Fusion style (once) and this theme's palette on the application.
    void apply(QApplication &app) const;
};
