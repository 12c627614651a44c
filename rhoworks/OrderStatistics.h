#pragma once
// Medians over runs of doubles. NaN sorts after every number, so a run holding NaN still has a
// well-defined order (and std algorithms a strict weak ordering).

namespace OrderStatistics {

// a before b in ascending order with NaN last.
bool nanLastLess(double a, double b);
// Median of count values, reordering them: the middle value for odd count, (a + b) * 0.5 of the
// two middle values for even count. NaN for count 0.
double medianInPlace(double *values, int count);
// The leave-one-out repeated median: for every k the median of the other count - 1 values rounded
// to single precision, then the median of those rounded to single precision. The value itself
// (rounded) for count 1; NaN for count 0. O(count); reorders values.
double repeatedMedian(double *values, int count);

}  // namespace OrderStatistics
