#pragma once
// Tick positions of plot axes: decades (and their multiples) on logarithmic axes, round steps on
// linear ones.

#include <QString>
#include <QVector>

struct PlotTick {
    double value = 0.0;
    bool labelled = false;  // major tick with a number; the others are grid lines only
};

// Ticks d * 10^k (d = 1..9) inside [low, high] (both > 0). Decades are labelled; over an axis
// shorter than two decades 2 and 5 are labelled too, so it never carries fewer than two numbers.
QVector<PlotTick> logTicks(double low, double high);
// The round step (1, 2 or 5 times a power of ten) that divides [low, high] into about count parts.
double roundStep(double low, double high, int count);
// The multiples of step (> 0) inside [low, high], every one labelled.
QVector<PlotTick> linearTicks(double low, double high, double step);
// The label of a tick value: plain digits, no trailing zeros.
QString tickLabel(double value);
