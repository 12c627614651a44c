#include "DecimationFilter.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<double> designTaps()
{
    const int n = DecimationFilter::kTaps;
    const double cutoff = 0.5 / DecimationFilter::kFactor;  // cycles per input sample
    const double centre = (n - 1) / 2.0;
    std::vector<double> h(n);
    double sum = 0;
    for (int j = 0; j < n; ++j) {
        const double t = j - centre;
        const double sinc = std::sin(2 * kPi * cutoff * t) / (kPi * t);
        const double x = 2 * kPi * j / (n - 1);
        const double blackman = 0.42 - 0.5 * std::cos(x) + 0.08 * std::cos(2 * x);
        h[j] = sinc * blackman;
        sum += h[j];
    }
    for (double &value : h)
        value /= sum;
    return h;
}

}  // namespace

const std::vector<double> &DecimationFilter::taps()
{
    static const std::vector<double> h = designTaps();
    return h;
}

long long DecimationFilter::outputCount(long long inputCount)
{
    return inputCount < kTaps ? 0 : (inputCount - kTaps) / kFactor + 1;
}

// Output sample m is the filter applied to input samples m*4 .. m*4 + 63; pending always starts
// at the next output's first input sample.
void DecimationFilter::push(const double *samples, int count, std::vector<double> &out)
{
    pending.insert(pending.end(), samples, samples + count);
    const std::vector<double> &h = taps();
    size_t start = 0;
    for (; start + kTaps <= pending.size(); start += kFactor) {
        double y = 0;
        for (int j = 0; j < kTaps; ++j)
            y += h[size_t(j)] * pending[start + size_t(j)];
        out.push_back(y);
    }
    pending.erase(pending.begin(), pending.begin() + long(std::min(start, pending.size())));
}
