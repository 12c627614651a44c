#pragma once
// Hands a finished resistivity section to the views and keeps it as the latest section for the
// section export. The hub owns one, publishes what the section runs return through it and
// forwards its signals as its own.

#include <QColor>
#include <QList>
#include <QMap>
#include <QObject>
#include <QVector>

#include "ProcessingRecords.h"

class SectionPublisher : public QObject {
    Q_OBJECT
public:
    explicit SectionPublisher(QObject *parent = nullptr);

    // Keeps section, then emits in order signal2DISOGraphChanged(section, topography, the
    // section colour table, true), signal_StaticResistivity(min, max), signal_CentralWidgetChanged(2) and
    // setExportData(true). min and max start at 10000 and -10000 (an empty section keeps them).
    void publish(const QList<DataType_ResultData> &section, const QVector<TopoData> &topography);
    // The same with one surface point of elevation 0 per column.
    void publish(const QList<DataType_ResultData> &section);

    QList<DataType_ResultData> latestSection() const { return latest; }

signals:
    void signal2DISOGraphChanged(QList<DataType_ResultData> data, QVector<TopoData> topodataList,
                                 QMap<float, QColor> gradients, bool isInvert);
    void signal_StaticResistivity(float minimum, float maximum);
    void signal_CentralWidgetChanged(int page);
    void setExportData(bool available);

private:
    QList<DataType_ResultData> latest;
};
