#pragma once
// Whole numbers taken from values that come from files and settings (counts, durations, station
// numbers): a conversion to an integer type is only defined for finite values inside its range, so
// every such conversion goes through these checks.

#include <climits>

namespace WholeNumbers {

// value truncated towards zero, when value is finite and the truncated number lies within
// [lowest, highest]; false otherwise, result untouched.
bool truncated(double value, long long lowest, long long highest, long long &result);
// The same for an int result.
bool truncatedInt(double value, int lowest, int highest, int &result);
// value truncated towards zero and held within the int range; NaN gives 0.
int clampedInt(double value);

} // namespace WholeNumbers
