#include "SectionColours.h"

#include <cmath>
#include <iterator>

namespace SectionColours {

QMap<float, QColor> table()
{
    const struct {
        float stop;
        int r, g, b;
    } stops[] = {{0.025f, 0, 0, 255},     {0.05f, 30, 144, 255},   {0.075f, 70, 130, 180},
                 {0.1f, 100, 149, 237},   {0.125f, 65, 105, 255},  {0.15f, 0, 255, 255},
                 {0.175f, 32, 178, 170},  {0.2f, 144, 238, 144},   {0.225f, 0, 255, 0},
                 {0.25f, 50, 205, 50},    {0.275f, 60, 179, 113},  {0.3f, 0, 128, 0},
                 {0.325f, 0, 100, 0},     {0.35f, 255, 255, 0},    {0.375f, 255, 215, 0},
                 {0.4f, 218, 165, 32},    {0.425f, 255, 165, 0},   {0.45f, 255, 140, 0},
                 {0.475f, 255, 160, 122}, {0.5f, 250, 128, 114},   {0.55f, 240, 128, 128},
                 {0.6f, 205, 92, 92},     {0.7f, 255, 0, 0},       {0.85f, 162, 42, 42},
                 {1.0f, 128, 0, 0}};
    QMap<float, QColor> colours;
    for (const auto &stop : stops)
        colours.insert(stop.stop, QColor(stop.r, stop.g, stop.b));
    return colours;
}

QColor at(const QMap<float, QColor> &table, double fraction)
{
    const auto upper = table.lowerBound(float(fraction));
    if (upper == table.begin())
        return upper.value();
    if (upper == table.end())
        return std::prev(upper).value();
    const auto lower = std::prev(upper);
    const double t = (fraction - lower.key()) / (upper.key() - lower.key());
    const auto mix = [t](int a, int b) { return int(std::lround(a + t * (b - a))); };
    return QColor(mix(lower.value().red(), upper.value().red()),
                  mix(lower.value().green(), upper.value().green()),
                  mix(lower.value().blue(), upper.value().blue()));
}

} // namespace SectionColours
