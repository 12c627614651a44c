#pragma once
// The colour map of a resistivity section: a linear colour map from white to magenta with the
// gradient's stops (or the default stops when the gradient is empty); a stop at 0 or 1 sets that
// end's colour. Values at or below the
// section's background (the smallest value, which the raster returns where there is no data) are
// drawn in a neutral grey that no resistivity uses. On the logarithmic scale the stops are spread
// over log10 of the resistivity instead of the resistivity.

#include <QColor>
#include <QMap>

#include <qwt_color_map.h>

class SectionColorMap : public QwtLinearColorMap {
public:
    SectionColorMap(const QMap<float, QColor> &gradient, bool logarithmic);

    QRgb rgb(const QwtInterval &interval, double value) const override;

    // Where the section has no data.
    static QColor backgroundColour();
    // White at 1e-18, blue at 0.05, cyan at 0.1, green at 0.2, yellow at 0.4, light salmon at
    // 0.6, red at 1.0.
    static QMap<float, QColor> defaultStops();
    // The place of value in interval as a fraction of the colour scale: linear, or by log10 when
    // logarithmic and the interval is positive. NaN for NaN.
    static double scaleFraction(const QwtInterval &interval, double value, bool logarithmic);

private:
    bool logarithmic;
};
