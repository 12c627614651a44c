#pragma once
// Resistivities coloured with the section view's colour table over a log10 range, and the colour
// bar labelled in ohm-m that goes beside every colour-mapped picture.

#include <QColor>
#include <QMap>
#include <QRectF>

class PlotCanvas;

struct ResistivityColourScale {
    double low = 0.0;    // log10 ohm-m at the table's first stop
    double high = 1.0;   // log10 ohm-m at its last stop
    QMap<float, QColor> table;

    // The section view's table over [low, high]; a range narrower than 1e-3 decades is widened
    // to half a decade either side.
    static ResistivityColourScale over(double lowLog10, double highLog10);

    QColor colourOfLog10(double log10Rho) const;
    QColor colour(double rho) const;
};

// The bar in rectangle bar with ticks and labels at decades on its right and the title
// "Resistivity (ohm-m)" turned along it.
void drawResistivityColourBar(PlotCanvas &canvas, const QRectF &bar, const ResistivityColourScale &scale);
