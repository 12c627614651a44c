#include "SectionColorMap.h"

#include <cmath>
#include <iterator>

SectionColorMap::SectionColorMap(const QMap<float, QColor> &gradient, bool logarithmic)
    : QwtLinearColorMap(Qt::white, Qt::magenta, QwtColorMap::RGB), logarithmic(logarithmic)
{
    const QMap<float, QColor> stops = gradient.isEmpty() ? defaultStops() : gradient;
    // A stop at or beyond either end gives that end its colour (the nearest such stop): added as a
    // stop, it would sit beside the end colour, and the scale would run into white or magenta
    // instead of the map's own colours.
    const auto lastAtOrBelowZero = stops.upperBound(0.0f);
    const auto firstAtOrAboveOne = stops.lowerBound(1.0f);
    setColorInterval(lastAtOrBelowZero != stops.cbegin() ? std::prev(lastAtOrBelowZero).value() : color1(),
                     firstAtOrAboveOne != stops.cend() ? firstAtOrAboveOne.value() : color2());
    for (auto stop = stops.cbegin(); stop != stops.cend(); ++stop) {
        if (stop.key() > 0.0f && stop.key() < 1.0f)
            addColorStop(stop.key(), stop.value());
    }
}

QColor SectionColorMap::backgroundColour()
{
    return QColor(205, 205, 205);
}

QMap<float, QColor> SectionColorMap::defaultStops()
{
    return {{1e-18f, Qt::white},
            {0.05f, QColor(0, 0, 255)},
            {0.1f, QColor(0, 255, 255)},
            {0.2f, QColor(0, 255, 0)},
            {0.4f, QColor(255, 255, 0)},
            {0.6f, QColor(255, 160, 122)},
            {1.0f, QColor(255, 0, 0)}};
}

double SectionColorMap::scaleFraction(const QwtInterval &interval, double value, bool logarithmic)
{
    if (std::isnan(value))
        return value;
    const double lo = interval.minValue();
    const double hi = interval.maxValue();
    if (logarithmic && lo > 0.0 && hi > lo)
        return (std::log10(qMax(value, lo)) - std::log10(lo)) / (std::log10(hi) - std::log10(lo));
    return hi > lo ? (value - lo) / (hi - lo) : 0.0;
}

QRgb SectionColorMap::rgb(const QwtInterval &interval, double value) const
{
    if (std::isnan(value))
        return 0u;
    if (value <= interval.minValue())
        return backgroundColour().rgb();
    const double fraction = qBound(0.0, scaleFraction(interval, value, logarithmic), 1.0);
    return QwtLinearColorMap::rgb(QwtInterval(0.0, 1.0), fraction);
}
