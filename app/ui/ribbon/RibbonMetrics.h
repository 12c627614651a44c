#pragma once
// Sizes shared by the ribbon's pieces: icon sizes, the height of one small row and of the band,
// all derived from the font so that the "Font" sizes of the Options menu scale the whole ribbon.

#include <QFontMetrics>

namespace RibbonMetrics {

constexpr int kLargeIcon = 32;
constexpr int kSmallIcon = 16;
constexpr int kRowsPerColumn = 3;

// Height of one small row (a small action, a captioned combo box or a check box).
inline int rowHeight(const QFontMetrics &fm) { return qMax(22, fm.height() + 8); }
// Height of the group title under the rows.
inline int titleHeight(const QFontMetrics &fm) { return fm.height() + 3; }
// The band holding the groups: three rows, the title and the margins.
inline int bandHeight(const QFontMetrics &fm)
{
    return kRowsPerColumn * rowHeight(fm) + 2 * 2 + titleHeight(fm) + 6;
}

} // namespace RibbonMetrics
