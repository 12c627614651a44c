#pragma once
// Medians over runs of doubles. NaN sorts after every number, so a run holding NaN still has a
// well-defined order (and std algorithms a strict weak ordering).

namespace OrderStatistics {

// a before b in ascending order with NaN last.
bool nanLastLess(double a, double b);
// Median of count values, reordering them: the middle value for odd count, (a + b) * 0.5 of the
// two middle values for even count. NaN for count 0.
double medianInPlace(double *values, int count);
// For every k, the median of the other count - 1 values rounded to single precision, written to
// medians[k]. O(count): the median without element k is one of the order statistics next to the
// middle of the run. count >= 2; values is left unchanged.
void leaveOneOutMedians(const double *values, int count, double *medians);
// Median over k of the leave-one-out medians, rounded to single precision; the value itself
// (rounded) for count 1; NaN for count 0. values is left unchanged.
double repeatedMedian(const double *values, int count);

}  // namespace OrderStatistics
