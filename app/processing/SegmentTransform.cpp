#include "SegmentTransform.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

SegmentTransform::SegmentTransform(int length)
    : segmentLength(length), window(hannWindow(length)), plan(length >= 4 && length % 2 == 0 ? length : 0)
{
}

bool SegmentTransform::isValid() const
{
    return segmentLength >= 4 && segmentLength % 2 == 0 && plan.isValid();
}

std::vector<double> SegmentTransform::hannWindow(int length)
{
    std::vector<double> w(size_t(std::max(length, 0)));
    for (int j = 0; j < length; ++j)
        w[size_t(j)] = 0.5 - 0.5 * std::cos(2 * kPi * j / length);
    return w;
}

// The straight line through the segment (least squares, abscissa centred on the middle sample)
// is removed before tapering: an offset or a drift would otherwise leak into the lowest lines.
void SegmentTransform::detrendAndTaper(const double *x, double *out) const
{
    const int n = segmentLength;
    const double centre = (n - 1) / 2.0;
    double mean = 0;
    double slopeSum = 0;
    for (int j = 0; j < n; ++j) {
        mean += x[j];
        slopeSum += (j - centre) * x[j];
    }
    mean /= n;
    const double slope = slopeSum / (double(n) * (double(n) * n - 1.0) / 12.0);
    for (int j = 0; j < n; ++j)
        out[j] = (x[j] - mean - slope * (j - centre)) * window[size_t(j)];
}

void SegmentTransform::transform(const double *samples, std::complex<double> *lines)
{
    detrendAndTaper(samples, plan.input());
    plan.execute();
    const fftw_complex *out = plan.output();
    for (int k = 0; k <= segmentLength / 2; ++k)
        lines[k] = std::complex<double>(out[k][0], out[k][1]);
}
