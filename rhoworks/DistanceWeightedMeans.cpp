#include "DistanceWeightedMeans.h"

#include <algorithm>
#include <cmath>
#include <gsl/gsl_complex_math.h>

namespace {

qint64 keptBudget = qint64(192) << 20;

}  // namespace

qint64 DistanceWeightedMeans::keptBytes()
{
    return keptBudget;
}

void DistanceWeightedMeans::setKeptBytes(qint64 bytes)
{
    keptBudget = bytes;
}

void DistanceWeightedMeans::add(const gsl_complex *values, int lines)
{
    if (!weighting && count++ == 0) {
        lineCount = lines;
        parts.assign(size_t(lines) * 2, Part());
    }
    lineCount = std::min(lineCount, lines);
    const double *x = reinterpret_cast<const double *>(values);
    Part *part = parts.data();
    const int partCount = lineCount * 2;
    if (!weighting) {
        for (int i = 0; i < partCount; ++i)
            part[i].sum += x[i];
        return;
    }
    for (int i = 0; i < partCount; ++i) {
        const double d = std::fabs(x[i] - part[i].mean);
        part[i].distanceSum += d;
        part[i].weightedByDistance += d * x[i];
    }
}

void DistanceWeightedMeans::startWeighting()
{
    weighting = true;
    for (Part &part : parts)
        part.mean = part.sum / count;
}

QVector<gsl_complex> DistanceWeightedMeans::estimates() const
{
    QVector<gsl_complex> result(count > 0 ? lineCount : 0);
    const auto estimate = [this](const Part &part) {
        if (part.distanceSum == 0)
            return part.mean;
        return (part.sum - part.weightedByDistance / part.distanceSum) / (count - 1);
    };
    for (int i = 0; i < result.size(); ++i)
        GSL_SET_COMPLEX(&result[i], estimate(parts[size_t(2 * i)]), estimate(parts[size_t(2 * i + 1)]));
    return result;
}
