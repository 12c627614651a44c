#include "SectionPublisher.h"

#include "NumericalMethod.h"
#include "SectionColours.h"

SectionPublisher::SectionPublisher(QObject *parent) : QObject(parent) {}

void SectionPublisher::publish(const QList<DataType_ResultData> &section,
                               const QVector<TopoData> &topography)
{
    latest = section;
    const NumericalMethod range;
    emit signal2DISOGraphChanged(section, topography, SectionColours::table(), true);
    emit signal_StaticResistivity(range.minSectionValue(section), range.maxSectionValue(section));
    emit signal_CentralWidgetChanged(2);
    emit setExportData(true);
}

void SectionPublisher::publish(const QList<DataType_ResultData> &section)
{
    QVector<TopoData> surface;
    for (const DataType_ResultData &column : section)
        surface.append(TopoData{column.position, 0.0});
    publish(section, surface);
}
