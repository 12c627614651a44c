#pragma once
// Tick positions of plot axes: decades (and their multiples) on logarithmic axes, round steps on
// linear ones.

#include <QString>
#include <QVector>

struct PlotTick {
    double value = 0.0;
    bool labelled = false;  // major tick with a number; the others are grid lines only
};

// The values a logarithmic axis shows: far beyond any frequency (Hz) or resistivity (ohm-m) that
// is measured, and far enough from the ends of double precision that decades and ratios of them
// stay finite. Values outside are left out of axis ranges and drawings.
constexpr double kLogScaleLowest = 1e-30;
constexpr double kLogScaleHighest = 1e30;
bool onLogScale(double value);

// Ticks d * 10^k (d = 1..9) inside [low, high] (both on the log scale, else none). Decades are
// labelled; over an axis shorter than two decades 2 and 5 are labelled too, so it never carries
// fewer than two numbers.
QVector<PlotTick> logTicks(double low, double high);
// The round step (1, 2 or 5 times a power of ten) that divides [low, high] into about count parts;
// 0 when the range has no such step (not finite, or narrower than the log scale's lowest value).
double roundStep(double low, double high, int count);
// The multiples of step (> 0) inside [low, high], every one labelled; none when step is not
// positive or the range would need more than a thousand of them.
QVector<PlotTick> linearTicks(double low, double high, double step);
// The label of a tick value: plain digits, no trailing zeros.
QString tickLabel(double value);
