#include "NumericalMethod.h"

NumericalMethod::NumericalMethod(QObject *parent) : QObject(parent)
{
}

float NumericalMethod::maxSectionValue(const QList<DataType_ResultData> &section) const
{
    double maximum = -10000.0;
    for (const DataType_ResultData &column : section)
        for (double value : column.value)
            if (value > maximum)
                maximum = value;
    return float(maximum);
}

float NumericalMethod::minSectionValue(const QList<DataType_ResultData> &section) const
{
    double minimum = 10000.0;
    for (const DataType_ResultData &column : section)
        for (double value : column.value)
            if (value < minimum)
                minimum = value;
    return float(minimum);
}
