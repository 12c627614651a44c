#include "LegendEntry.h"

#include <qwt_plot.h>
#include <qwt_plot_item.h>

void showInLegend(QwtPlotItem &item, bool shown)
{
    item.setItemAttribute(QwtPlotItem::Legend, shown);
    if (item.plot())
        item.plot()->updateLegend(&item);
}
