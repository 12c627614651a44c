#include "FrequencyTables.h"

#include <cmath>

namespace {

// Three significant digits of each mantissa of a decade, times 100.
const int kMantissas[10] = {100, 126, 158, 200, 251, 316, 398, 501, 631, 794};

// mantissa * 10^(decade - 2), formed from exact integers so that every value is the double
// nearest to its decimal text (0.0126 is 126 / 10000, not 1.26 * 0.01).
double tableValue(int mantissa, int decade)
{
    if (mantissa == 251 && decade == 2)
        return 248.0;
    const int exponent = decade - 2;
    const double scale = std::pow(10.0, std::abs(exponent));
    return exponent >= 0 ? mantissa * scale : mantissa / scale;
}

// Ten values per decade from the mantissa index firstIndex of firstDecade up to 100000 Hz.
QList<double> decadeTable(int firstDecade, int firstIndex)
{
    QList<double> table;
    for (int decade = firstDecade; decade < 5; ++decade)
        for (int i = decade == firstDecade ? firstIndex : 0; i < 10; ++i)
            table.append(tableValue(kMantissas[i], decade));
    table.append(100000.0);
    return table;
}

} // namespace

namespace FrequencyTables {

const QList<double> &standardFrequencies()
{
    static const QList<double> table = decadeTable(-2, 0);
    return table;
}

const QList<double> &tensorFrequencies()
{
    static const QList<double> table = decadeTable(0, 1);
    return table;
}

QList<double> within(const QList<double> &table, double lower, double upper)
{
    QList<double> selected;
    for (double f : table)
        if (f >= lower && f <= upper)
            selected.append(f);
    return selected;
}

} // namespace FrequencyTables
