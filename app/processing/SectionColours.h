#pragma once
// The colour table of resistivity sections: 25 stops from blue through green and yellow to dark
// red over the fraction 0 (lowest resistivity) to 1 (highest), and the colour at any fraction.

#include <QColor>
#include <QMap>

namespace SectionColours {

// Stop (fraction of the range, 0.025 to 1) to colour.
QMap<float, QColor> table();
// The colour of table at fraction, interpolated linearly between the neighbouring stops; below
// the first stop the first colour, above the last the last.
QColor at(const QMap<float, QColor> &table, double fraction);

} // namespace SectionColours
