#include "StationScaleDraw.h"

#include <QPainter>
#include <algorithm>

#include <qwt_scale_div.h>
#include <qwt_scale_map.h>
#include <qwt_text.h>

namespace {
const double kLabelGap = 4.0;  // pixels kept free between two station numbers
}

StationScaleDraw::StationScaleDraw()
{
    setTickLength(QwtScaleDiv::MinorTick, 0);
    setTickLength(QwtScaleDiv::MediumTick, 0);
    setTickLength(QwtScaleDiv::MajorTick, 6);
}

QwtScaleDiv StationScaleDraw::stationDivision(const QList<double> &positions)
{
    QList<double> sorted = positions;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    if (sorted.isEmpty())
        return QwtScaleDiv();
    return QwtScaleDiv(sorted.first(), sorted.last(), QList<double>(), QList<double>(), sorted);
}

QwtText StationScaleDraw::label(double position) const
{
    return QwtText(QString::number(position, 'g', 8));
}

void StationScaleDraw::draw(QPainter *painter, const QPalette &palette) const
{
    anyLabelDrawn = false;
    QwtScaleDraw::draw(painter, palette);
}

void StationScaleDraw::drawLabel(QPainter *painter, double position) const
{
    const double x = scaleMap().transform(position);
    const double halfWidth = label(position).textSize(painter->font()).width() / 2.0;
    if (anyLabelDrawn && x - halfWidth < lastLabelEnd + kLabelGap)
        return;
    QwtScaleDraw::drawLabel(painter, position);
    anyLabelDrawn = true;
    lastLabelEnd = x + halfWidth;
}
