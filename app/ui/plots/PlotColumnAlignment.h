#pragma once
// Plots stacked in a column with one shared horizontal axis: their left axes get the width of the
// widest and their bottom axes the end room of the widest labels, so the canvases line up and an
// abscissa sits at the same pixel column in every plot.

#include <QList>

class QwtPlotGraph;

namespace PlotColumnAlignment {

void align(const QList<QwtPlotGraph *> &plots);

} // namespace PlotColumnAlignment
