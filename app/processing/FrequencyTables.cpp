#include "FrequencyTables.h"

namespace FrequencyTables {

const QList<double> &standardFrequencies()
{
    static const QList<double> table = FrequencyTable::logTable(10, -20, 50);
    return table;
}

const QList<double> &tensorFrequencies()
{
    static const QList<double> table = FrequencyTable::decadeTable();
    return table;
}

} // namespace FrequencyTables
