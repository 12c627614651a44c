#include "DistanceWeightedMeans.h"

#include <algorithm>
#include <cmath>
#include <gsl/gsl_complex_math.h>

namespace {

qint64 keptBudget = qint64(216) << 20;

// A 256-bit version of each per-part loop is chosen at load time where the processor has it (the
// same operations, so the same numbers).
__attribute__((target_clones("avx2", "default")))
void addValues(int count, const double *__restrict x, double *__restrict sums)
{
    for (int i = 0; i < count; ++i)
        sums[i] += x[i];
}

__attribute__((target_clones("avx2", "default")))
void addDistances(int count, const double *__restrict x, const double *__restrict means,
                  double *__restrict distanceSums, double *__restrict weightedByDistance)
{
    for (int i = 0; i < count; ++i) {
        const double d = std::fabs(x[i] - means[i]);
        distanceSums[i] += d;
        weightedByDistance[i] += d * x[i];
    }
}

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
        for (std::vector<double> *part : {&sums, &means, &distanceSums, &weightedByDistance})
            part->assign(size_t(lines) * 2, 0.0);
    }
    lineCount = std::min(lineCount, lines);
    const double *x = reinterpret_cast<const double *>(values);
    if (weighting)
        addDistances(lineCount * 2, x, means.data(), distanceSums.data(), weightedByDistance.data());
    else
        addValues(lineCount * 2, x, sums.data());
}

void DistanceWeightedMeans::startWeighting()
{
    weighting = true;
    for (size_t i = 0; i < sums.size(); ++i)
        means[i] = sums[i] / count;
}

QVector<gsl_complex> DistanceWeightedMeans::estimates() const
{
    QVector<gsl_complex> result(count > 0 ? lineCount : 0);
    const auto estimate = [this](size_t part) {
        if (distanceSums[part] == 0)
            return means[part];
        return (sums[part] - weightedByDistance[part] / distanceSums[part]) / (count - 1);
    };
    for (int i = 0; i < result.size(); ++i)
        GSL_SET_COMPLEX(&result[i], estimate(size_t(2 * i)), estimate(size_t(2 * i + 1)));
    return result;
}
