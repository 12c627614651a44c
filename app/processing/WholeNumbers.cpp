#include "WholeNumbers.h"

#include <cmath>

namespace WholeNumbers {

bool truncated(double value, long long lowest, long long highest, long long &result)
{
    // Compared as doubles before converting: 2^63 itself is not a long long.
    const double whole = std::trunc(value);
    if (!std::isfinite(whole) || whole < double(lowest) || whole >= 9223372036854775808.0
        || whole > double(highest))
        return false;
    const long long converted = static_cast<long long>(whole);
    if (converted < lowest || converted > highest)
        return false;
    result = converted;
    return true;
}

bool truncatedInt(double value, int lowest, int highest, int &result)
{
    long long wide = 0;
    if (!truncated(value, lowest, highest, wide))
        return false;
    result = int(wide);
    return true;
}

int clampedInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= double(INT_MIN))
        return INT_MIN;
    if (value >= double(INT_MAX))
        return INT_MAX;
    return static_cast<int>(value);
}

} // namespace WholeNumbers
