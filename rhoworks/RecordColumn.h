#pragma once
// One field of a run of records as a vector of doubles (frequencies of a table, rho of a curve).

#include <QVector>

template <class Records, class Record>
QVector<double> recordColumn(const Records &records, double Record::*field)
{
    QVector<double> values;
    values.reserve(records.size());
    for (const Record &record : records)
        values.append(record.*field);
    return values;
}
