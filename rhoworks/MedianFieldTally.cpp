#include "MedianFieldTally.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Magnitudes whose squares and products of two stay normal doubles.
constexpr double kSafeSmallest = 1e-75;
constexpr double kSafeLargest = 1e75;

bool isSafe(double magnitude)
{
    return magnitude >= kSafeSmallest && magnitude <= kSafeLargest;
}

enum class ValueClass { Negative, Zero, Positive };

}  // namespace

MedianFieldTally::MedianFieldTally(int lines)
{
    const size_t parts = size_t(std::max(0, lines)) * 2;
    negative.assign(parts, 0.0);
    zero.assign(parts, 0.0);
    largestNegative.assign(parts, -std::numeric_limits<double>::infinity());
    smallestPositive.assign(parts, std::numeric_limits<double>::infinity());
    largestMagnitude.assign(parts, 0.0);
}

namespace {

// The tally of n parts of one segment; the arrays do not overlap. Written as selects without
// branches: the signs of spectral values are random.
// The largest magnitude turns NaN with the first NaN and stays NaN.
void tallyParts(const double *__restrict x, size_t n, double *__restrict negative, double *__restrict zero,
                double *__restrict largestNegative, double *__restrict smallestPositive,
                double *__restrict largestMagnitude)
{
    constexpr double infinity = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < n; ++i) {
        const double v = x[i];
        negative[i] += v < 0 ? 1.0 : 0.0;
        zero[i] += v == 0 ? 1.0 : 0.0;
        const double a = std::fabs(v);
        const double asNegative = v < 0 ? v : -infinity;
        const double asPositive = v > 0 ? v : infinity;
        largestMagnitude[i] = (a > largestMagnitude[i] || a != a) ? a : largestMagnitude[i];
        largestNegative[i] = largestNegative[i] < asNegative ? asNegative : largestNegative[i];
        smallestPositive[i] = asPositive < smallestPositive[i] ? asPositive : smallestPositive[i];
    }
}

}  // namespace

void MedianFieldTally::add(const gsl_complex *values)
{
    tallyParts(reinterpret_cast<const double *>(values), negative.size(), negative.data(), zero.data(),
               largestNegative.data(), smallestPositive.data(), largestMagnitude.data());
    ++count;
}

// The median of count sorted values is the middle one (odd count) or the mean of the two middle
// ones (even count). Inside one class it lies between that class's extremes; across two classes
// the two middle values are the class extremes next to zero, so the median is known exactly.
MedianFieldTally::Part MedianFieldTally::median(size_t part) const
{
    const double magnitude = largestMagnitude[part];
    if (!(magnitude <= std::numeric_limits<double>::max()))  // NaN or infinite values
        return Part::Unsafe;
    const int negatives = int(negative[part]);
    const int zeros = int(zero[part]);
    const double nearNegative = largestNegative[part];
    const double nearPositive = smallestPositive[part];
    const auto classAt = [&](int index) {
        if (index < negatives)
            return ValueClass::Negative;
        return index < negatives + zeros ? ValueClass::Zero : ValueClass::Positive;
    };
    const auto classPart = [&](ValueClass c) {
        if (c == ValueClass::Zero)
            return Part::Zero;
        const double nearZero = c == ValueClass::Negative ? -nearNegative : nearPositive;
        return isSafe(nearZero) && isSafe(magnitude) ? Part::Safe : Part::Unsafe;
    };
    const auto exactPart = [](double value) {
        if (value == 0)
            return Part::Zero;
        return isSafe(std::fabs(value)) ? Part::Safe : Part::Unsafe;
    };
    const ValueClass upper = classAt(count / 2);
    if (count % 2 == 1)
        return classPart(upper);
    const ValueClass lower = classAt(count / 2 - 1);
    if (lower == upper)
        return classPart(upper);
    const double below = lower == ValueClass::Negative ? nearNegative : 0.0;
    const double above = upper == ValueClass::Positive ? nearPositive : 0.0;
    return exactPart((below + above) * 0.5);
}

MedianFieldTally::Field MedianFieldTally::field(int line) const
{
    if (count == 0 || line < 0 || size_t(2 * line + 1) >= negative.size())
        return Field::Undecided;
    const Part re = median(size_t(2 * line));
    const Part im = median(size_t(2 * line + 1));
    if (re == Part::Unsafe || im == Part::Unsafe)
        return Field::Undecided;
    return re == Part::Zero && im == Part::Zero ? Field::Absent : Field::Present;
}

MedianFieldTally::Field MedianFieldTally::pair(Field e, Field h)
{
    if (e == Field::Absent || h == Field::Absent)
        return Field::Absent;
    return e == Field::Present && h == Field::Present ? Field::Present : Field::Undecided;
}
