#include "SectionDisplayData.h"

#include "Graph_IsoLineData.h"

namespace {
const double kRelativeStep = 1e-9;  // of the line's length
}

SectionDisplayData::SectionDisplayData(Graph_IsoLineData *raster) : section(raster)
{
    for (Qt::Axis axis : {Qt::XAxis, Qt::YAxis, Qt::ZAxis})
        setInterval(axis, section->interval(axis));
    for (const DataType_ResultData &station : section->profiles())
        stationPositions.append(station.position);
    step = kRelativeStep * qMax(1.0, interval(Qt::XAxis).width());
}

SectionDisplayData::~SectionDisplayData() = default;

double SectionDisplayData::value(double x, double y) const
{
    if (!stationPositions.contains(x))
        return section->value(x, y);
    const QwtInterval &line = interval(Qt::XAxis);
    double sum = 0.0;
    int sides = 0;
    for (double beside : {x - step, x + step}) {
        if (line.contains(beside)) {
            sum += section->value(beside, y);
            ++sides;
        }
    }
    return sides > 0 ? sum / sides : section->value(x, y);
}
