#pragma once
// Puts a plot item on its plot's legend or takes it off at once (Qwt only refreshes the legend
// for items that are on it, so taking one off needs an explicit update).

class QwtPlotItem;

void showInLegend(QwtPlotItem &item, bool shown);
