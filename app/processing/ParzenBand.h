#pragma once
// The Parzen-type kernel of the band averages: a target frequency f0 and a half-width h = f0 * r
// select the points strictly inside (f0 - h, f0 + h) and weight them by (sin(x) / x)^4 with
// x = |f0 - f| * pi / h (1 at f0).

#include <QVector>

namespace ParzenBand {

constexpr double kPi = 3.1415926;

// Whether f lies strictly inside the band of half-width h around f0.
bool inside(double f0, double f, double h);
// Kernel weight of a point at f: 0 at or beyond h, 1 at f0.
double weight(double f0, double f, double h);
// Weighted mean of values at f0 (values matched with frequencies by index, the shorter length
// counts); NaN when no point lies in the band.
double bandAverage(double f0, const QVector<double> &frequencies, const QVector<double> &values,
                   double r);

} // namespace ParzenBand
