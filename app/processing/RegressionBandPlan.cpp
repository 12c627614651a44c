#include "RegressionBandPlan.h"

#include <cmath>

#include "DecimationCascade.h"
#include "OutputBand.h"
#include "Rhoworks.h"

RegressionBandPlan::RegressionBandPlan(const RegressionBandSettings &settings) : s(settings)
{
    if (!(s.fs > 0) || s.segmentLength < 4 || s.segmentLength % 2 != 0 || s.halfWidth <= 0 || s.halfWidth >= 1)
        return;
    while (levelSegments(levels) >= s.minSegments)
        ++levels;
    if (levels == 0)
        return;
    for (double f0 : targetFrequencies()) {
        RegressionBand band;
        if (placeBand(f0, band))
            planned.push_back(band);
    }
    reach = planned.empty() ? 0.0 : planned.front().f0;
}

double RegressionBandPlan::levelRate(int level) const
{
    return s.fs / std::pow(double(DecimationFilter::kFactor), level);
}

long long RegressionBandPlan::levelSegments(int level) const
{
    const long long length = DecimationCascade::levelLength(s.samples, level) - (s.prewhiten ? 1 : 0);
    return DecimationCascade::segmentCount(length, s.segmentLength);
}

QList<double> RegressionBandPlan::targetFrequencies() const
{
    OutputBand band = outputBand(s.fs, s.ruleLength, true);
    if (band.fmin == s.fs / s.ruleLength)
        band.fmin = 0;  // the usual lower end gives way to what the cascade reaches
    return Rhoworks().GenerateFreqList(band.fmin, band.fmax, s.frequencyMode);
}

bool RegressionBandPlan::placeBand(double f0, RegressionBand &band) const
{
    const int topLine = s.segmentLength / 2 - 1;
    for (int level = 0; level < levels; ++level) {
        const double df = levelRate(level) / s.segmentLength;
        const int first = int(std::ceil(f0 * (1 - s.halfWidth) / df - 1e-9));
        const int last = std::min(topLine, int(std::floor(f0 * (1 + s.halfWidth) / df + 1e-9)));
        if (first < s.lowestLine || (last - first + 1 < s.minLines && level + 1 < levels))
            continue;
        if (last - first + 1 < s.minLines)
            return false;
        band.f0 = f0;
        band.level = level;
        band.firstLine = first;
        band.lineStride = (last - first) / s.maxLines + 1;
        band.lastLine = first + (last - first) / band.lineStride * band.lineStride;
        return true;
    }
    return false;
}
