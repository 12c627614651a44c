#include "PlotColumnAlignment.h"

#include "QwtPlotGraph.h"

#include <algorithm>
#include <qwt_scale_draw.h>
#include <qwt_scale_widget.h>

namespace PlotColumnAlignment {

void align(const QList<QwtPlotGraph *> &plots)
{
    double widest = 0.0;
    int startRoom = 0, endRoom = 0;
    for (QwtPlotGraph *plot : plots) {
        QwtScaleDraw *draw = plot->axisScaleDraw(QwtPlot::yLeft);
        draw->setMinimumExtent(0.0);
        widest = std::max(widest, draw->extent(plot->axisWidget(QwtPlot::yLeft)->font()));
        int start = 0, end = 0;
        plot->axisWidget(QwtPlot::xBottom)->setMinBorderDist(0, 0);
        plot->axisWidget(QwtPlot::xBottom)->getBorderDistHint(start, end);
        startRoom = std::max(startRoom, start);
        endRoom = std::max(endRoom, end);
    }
    for (QwtPlotGraph *plot : plots) {
        plot->axisScaleDraw(QwtPlot::yLeft)->setMinimumExtent(widest);
        plot->axisWidget(QwtPlot::xBottom)->setMinBorderDist(startRoom, endRoom);
        plot->updateLayout();
    }
}

} // namespace PlotColumnAlignment
