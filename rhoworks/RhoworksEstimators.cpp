// Stacking and robust estimators: reduce per-segment vectors to one vector, line by line.

#include "Rhoworks.h"

#include <cmath>
#include <gsl/gsl_complex_math.h>

#include "CrossPowerStack.h"
#include "DistanceWeightedMeans.h"
#include "LineReduction.h"
#include "OrderStatistics.h"

namespace {

constexpr int kEntries = 4;

// Entry j of line i of every segment, as one complex vector per segment.
QList<QVector<gsl_complex>> entryColumn(const QList<QVector<OneFreqCrossPower>> &segments, int lines,
                                        int j)
{
    QList<QVector<gsl_complex>> column;
    for (const QVector<OneFreqCrossPower> &records : segments) {
        QVector<gsl_complex> values(lines);
        for (int i = 0; i < lines; ++i)
            values[i] = records[i].crossPower.value(j, gsl_complex_rect(NAN, NAN));
        column.append(values);
    }
    return column;
}

bool allHaveEntries(const QList<QVector<OneFreqCrossPower>> &segments, int line)
{
    for (const QVector<OneFreqCrossPower> &records : segments) {
        if (records[line].crossPower.size() != kEntries)
            return false;
    }
    return true;
}

int commonRecordCount(const QList<QVector<OneFreqCrossPower>> &segments)
{
    int lines = segments.isEmpty() ? 0 : segments.first().size();
    for (const QVector<OneFreqCrossPower> &records : segments)
        lines = std::min(lines, records.size());
    return lines;
}

}  // namespace

QVector<OneFreqCrossPower> Rhoworks::SumCrossPower(QList<QVector<OneFreqCrossPower>> segments)
{
    CrossPowerStack stack;
    for (const QVector<OneFreqCrossPower> &records : segments)
        stack.add(records);
    return stack.mean();
}

QVector<OneFreqCrossPower> Rhoworks::MedianSumCrossPower(QList<QVector<OneFreqCrossPower>> segments)
{
    const int lines = commonRecordCount(segments);
    QVector<OneFreqCrossPower> result(lines);
    for (int i = 0; i < lines; ++i) {
        result[i].freq = segments.first()[i].freq;
        if (allHaveEntries(segments, i))
            result[i].crossPower.resize(kEntries);
    }
    for (int j = 0; j < kEntries; ++j) {
        const QVector<gsl_complex> medians = Robust_Median(entryColumn(segments, lines, j));
        for (int i = 0; i < lines; ++i) {
            if (!result[i].crossPower.isEmpty())
                result[i].crossPower[j] = medians[i];
        }
    }
    return result;
}

QVector<gsl_complex> Rhoworks::Robust_Median(QList<QVector<gsl_complex>> segments)
{
    return reduceLines(segments, OrderStatistics::medianInPlace);
}

QVector<gsl_complex> Rhoworks::Robust_MEstimation(QList<QVector<gsl_complex>> segments)
{
    DistanceWeightedMeans means;
    for (const QVector<gsl_complex> &values : qAsConst(segments))
        means.add(values.constData(), values.size());
    means.startWeighting();
    for (const QVector<gsl_complex> &values : qAsConst(segments))
        means.add(values.constData(), values.size());
    return means.estimates();
}

QVector<gsl_complex> Rhoworks::Robust_RepeatMedian(QList<QVector<gsl_complex>> segments)
{
    return reduceLines(segments, OrderStatistics::repeatedMedian);
}

double Rhoworks::median(QVector<double> values)
{
    return OrderStatistics::medianInPlace(values.data(), values.size());
}
