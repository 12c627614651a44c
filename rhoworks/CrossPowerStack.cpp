#include "CrossPowerStack.h"

#include <gsl/gsl_complex_math.h>

namespace {

constexpr int kEntries = 4;

void addEntries(OneFreqCrossPower &total, const OneFreqCrossPower &record)
{
    if (total.crossPower.size() != kEntries)
        return;
    if (record.crossPower.size() != kEntries) {
        total.crossPower.clear();
        return;
    }
    gsl_complex *entries = total.crossPower.data();
    for (int j = 0; j < kEntries; ++j)
        entries[j] = gsl_complex_add(entries[j], record.crossPower[j]);
}

}  // namespace

void CrossPowerStack::add(const QVector<OneFreqCrossPower> &records)
{
    if (added++ == 0) {
        sum = records;
        for (OneFreqCrossPower &record : sum) {
            if (record.crossPower.size() != kEntries)
                record.crossPower.clear();
        }
        return;
    }
    if (records.size() < sum.size())
        sum.resize(records.size());
    for (int i = 0; i < sum.size(); ++i)
        addEntries(sum[i], records[i]);
}

int CrossPowerStack::count() const
{
    return added;
}

QVector<OneFreqCrossPower> CrossPowerStack::mean() const
{
    QVector<OneFreqCrossPower> result = sum;
    for (OneFreqCrossPower &record : result) {
        for (gsl_complex &entry : record.crossPower)
            entry = gsl_complex_div_real(entry, added);
    }
    return result;
}
