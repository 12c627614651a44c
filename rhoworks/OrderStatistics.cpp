#include "OrderStatistics.h"

#include <algorithm>
#include <functional>
#include <cmath>
#include <limits>

namespace {

double toFloatPrecision(double value)
{
    return double(float(value));
}

}  // namespace

namespace OrderStatistics {

bool nanLastLess(double a, double b)
{
    if (std::isnan(a))
        return false;
    return std::isnan(b) || a < b;
}

namespace {

// Moves the values below pivot to the front of [first, last) and returns the end of them, without
// branching on the comparisons (whose outcomes are random on spectral values): every element is
// swapped with the boundary element, which leaves it in place when it does not belong below.
double *partitionBelow(double *first, double *last, double pivot)
{
    double *boundary = first;
    for (double *p = first; p != last; ++p) {
        const double x = *p;
        *p = *boundary;
        *boundary = x;
        boundary += x < pivot;
    }
    return boundary;
}

double *partitionNotAbove(double *first, double *last, double pivot)
{
    double *boundary = first;
    for (double *p = first; p != last; ++p) {
        const double x = *p;
        *p = *boundary;
        *boundary = x;
        boundary += x <= pivot;
    }
    return boundary;
}

double medianOfThree(double a, double b, double c)
{
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
}

// std::nth_element for runs without NaN: quickselect around the median of three, with the library's
// selection taking over on short ranges and on runs that do not shrink fast enough.
void nthElement(double *values, int nth, int count, std::less<double> less)
{
    double *first = values;
    double *last = values + count;
    double *target = values + nth;
    for (int rounds = 0; last - first > 32 && rounds < 64; ++rounds) {
        const double pivot = medianOfThree(*first, first[(last - first) / 2], last[-1]);
        double *below = partitionBelow(first, last, pivot);
        if (target < below) {
            last = below;
            continue;
        }
        if (below == first) {  // pivot is the least value: split off the values equal to it
            below = partitionNotAbove(first, last, pivot);
            if (target < below)
                return;
        }
        first = below;
    }
    std::nth_element(first, target, last, less);
}

template <typename Less>
void nthElement(double *values, int nth, int count, Less less)
{
    std::nth_element(values, values + nth, values + count, less);
}

// Runs without NaN, the common case, are ordered with the built-in comparison, which the compiler
// inlines; runs holding NaN take the NaN-last order. Both give the same order statistics.
template <typename Reduce>
double withOrder(double *values, int count, Reduce reduce)
{
    const bool hasNaN = std::any_of(values, values + count, [](double v) { return std::isnan(v); });
    return hasNaN ? reduce(values, count, nanLastLess) : reduce(values, count, std::less<double>());
}

template <typename Less>
double medianWith(double *values, int count, Less less)
{
    double *middle = values + count / 2;
    nthElement(values, count / 2, count, less);
    if (count % 2 == 1)
        return *middle;
    const double below = *std::max_element(values, middle, less);
    return (below + *middle) * 0.5;
}

}  // namespace

double medianInPlace(double *values, int count)
{
    if (count <= 0)
        return std::numeric_limits<double>::quiet_NaN();
    return withOrder(values, count, [](double *v, int c, auto less) { return medianWith(v, c, less); });
}

namespace {

// count values of which shares[i].count equal shares[i].value; the value at a position of their
// ascending order.
struct Share {
    double value;
    int count;
};

double valueAt(const Share *shares, int shareCount, int position)
{
    for (int i = 0; i < shareCount; ++i) {
        if (position < shares[i].count)
            return shares[i].value;
        position -= shares[i].count;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

namespace {

// With the run sorted as s and element x removed, the median of the remaining count - 1 values is
// one of the order statistics next to the middle: for even count s_h when x > s_h, else s_(h+1);
// for odd count (s_(h-1) + s_h) / 2 when x > s_h, (s_(h-1) + s_(h+1)) / 2 when s_(h-1) < x <= s_h,
// else (s_h + s_(h+1)) / 2. So the leave-one-out medians take at most three values, and their
// median follows from how many elements fall on each side of s_(h-1) and s_h.
template <typename Less>
double repeatedMedianWith(double *values, int count, Less less)
{
    const bool evenCount = count % 2 == 0;
    const int h = evenCount ? count / 2 - 1 : (count - 1) / 2;  // middle index of the remaining run
    nthElement(values, h, count, less);
    const double mid = values[h];
    const double below = h > 0 ? *std::max_element(values, values + h, less) : mid;
    // Only values after h can exceed mid, and those that do not equal it; of the values up to h
    // none exceeds below but mid itself.
    double above = values[h + 1];
    int overMid = 0;
    for (int k = h + 1; k < count; ++k) {
        const double v = values[k];
        if (less(v, above))
            above = v;
        overMid += less(mid, v);
    }
    const int equalToMid = count - h - 1 - overMid;
    const int overBelow = less(below, mid) ? 1 + equalToMid : 0;  // below < x <= mid
    Share shares[3];
    int shareCount = 0;
    if (evenCount) {
        shares[shareCount++] = {toFloatPrecision(mid), overMid};
        shares[shareCount++] = {toFloatPrecision(above), count - overMid};
    } else {
        shares[shareCount++] = {toFloatPrecision((below + mid) * 0.5), overMid};
        shares[shareCount++] = {toFloatPrecision((below + above) * 0.5), overBelow};
        shares[shareCount++] = {toFloatPrecision((mid + above) * 0.5), count - overMid - overBelow};
    }
    std::stable_sort(shares, shares + shareCount,
                     [](const Share &a, const Share &b) { return nanLastLess(a.value, b.value); });
    const double median = count % 2 == 1
        ? valueAt(shares, shareCount, count / 2)
        : (valueAt(shares, shareCount, count / 2 - 1) + valueAt(shares, shareCount, count / 2)) * 0.5;
    return toFloatPrecision(median);
}

}  // namespace

double repeatedMedian(double *values, int count)
{
    if (count <= 0)
        return std::numeric_limits<double>::quiet_NaN();
    if (count == 1)
        return toFloatPrecision(values[0]);
    return withOrder(values, count,
                     [](double *v, int c, auto less) { return repeatedMedianWith(v, c, less); });
}

}  // namespace OrderStatistics
