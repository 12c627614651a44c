#pragma once
// What the curves of a plot draw in the pixel column under the pointer, for a status-bar
// read-out of the data rather than of the pointer's height. Envelopes and decimated spectra put
// a column's lowest and highest value at one x, so a reading is a range: the smallest and largest
// y of the curve's points in the column nearest the pointer.

#include <QList>
#include <QString>

class QwtPlot;

class CurveColumnReadout {
public:
    struct Reading {
        QString title;  // the curve's title
        double x = 0.0; // the column's x, in axis units
        double low = 0.0;
        double high = 0.0;
    };

    // One reading per visible curve of plot (on its bottom and left axes) that has a point within
    // maxPixels of canvas column pixelX, in the plot's item order.
    static QList<Reading> read(const QwtPlot &plot, int pixelX, double maxPixels = 4.0);
    // "low" when both are equal, else "low … high", with five significant digits.
    static QString rangeText(double low, double high);
};
