#pragma once
// The program's icons: each resource ":/Res/<name>" is drawn at 32 px, with a 16 px drawing of
// the same picture at ":/Res/16/<name>", so that small buttons show a crisp image instead of a
// scaled-down one.

#include <QIcon>

namespace ResourceIcon {

// Registers the program's resources (icons, the user guide); load does it on first use.
void registerOnce();
// The icon of resource path (":/Res/OpenFile.png"), with its 16 px drawing when there is one.
QIcon load(const QString &path);

} // namespace ResourceIcon
