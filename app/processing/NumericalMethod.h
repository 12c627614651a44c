#pragma once
// Value range of a resistivity section, for the colour scale of the section view. The scan starts
// from -10000 (maximum) and 10000 (minimum), so an empty section gives (-10000, 10000).

#include <QList>
#include <QObject>

#include "ProcessingRecords.h"

class NumericalMethod : public QObject {
    Q_OBJECT
public:
    explicit NumericalMethod(QObject *parent = nullptr);

    float maxSectionValue(const QList<DataType_ResultData> &section) const;
    float minSectionValue(const QList<DataType_ResultData> &section) const;
};
