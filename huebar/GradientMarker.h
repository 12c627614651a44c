#pragma once
// One marker of a gradient: a position in [0, 1] and its colour. Markers compare by position only.

#include <QColor>

#include "Huebar.h"

struct HUEBAR_EXPORT GradientMarker {
    bool isMovedByMouse = false;  // set on the marker being dragged
    float position = 0.5f;
    QColor color;                 // invalid until given

    bool operator<(const GradientMarker &other) const { return position < other.position; }
    // Ascending order by position, for std::sort.
    static bool sortByMarkers(const GradientMarker &a, const GradientMarker &b) { return a < b; }
};
