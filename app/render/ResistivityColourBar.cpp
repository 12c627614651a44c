#include "ResistivityColourBar.h"

#include <cmath>

#include "PlotCanvas.h"
#include "SectionColours.h"

ResistivityColourScale ResistivityColourScale::over(double lowLog10, double highLog10)
{
    ResistivityColourScale scale;
    scale.low = lowLog10;
    scale.high = highLog10;
    if (scale.high - scale.low < 1e-3) {  // one resistivity: half a decade either side
        scale.low -= 0.5;
        scale.high += 0.5;
    }
    scale.table = SectionColours::table();
    return scale;
}

QColor ResistivityColourScale::colourOfLog10(double log10Rho) const
{
    return SectionColours::at(table, (log10Rho - low) / (high - low));
}

QColor ResistivityColourScale::colour(double rho) const
{
    return colourOfLog10(std::log10(rho));
}

void drawResistivityColourBar(PlotCanvas &canvas, const QRectF &bar, const ResistivityColourScale &scale)
{
    QPainter &paint = canvas.painter();
    paint.save();
    for (int row = 0; row < int(bar.height()); ++row) {
        const double fraction = 1.0 - (row + 0.5) / bar.height();
        paint.fillRect(QRectF(bar.left(), bar.top() + row, bar.width(), 1),
                       SectionColours::at(scale.table, fraction));
    }
    paint.setPen(QPen(Qt::black, 1));
    paint.drawRect(bar);
    const double span = scale.high - scale.low;
    for (const PlotTick &tick : logTicks(std::pow(10.0, scale.low), std::pow(10.0, scale.high))) {
        const double y = bar.bottom() - (std::log10(tick.value) - scale.low) / span * bar.height();
        paint.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + (tick.labelled ? 6 : 3), y));
        if (tick.labelled)
            paint.drawText(QRectF(bar.right() + 9, y - 9, 60, 18), Qt::AlignLeft | Qt::AlignVCenter,
                           tickLabel(tick.value));
    }
    paint.setFont(PlotCanvas::font(14));
    paint.translate(bar.right() + 78, bar.center().y());
    paint.rotate(-90);
    paint.drawText(QRectF(-bar.height() / 2, -20, bar.height(), 20), Qt::AlignCenter,
                   QStringLiteral("Resistivity (ohm-m)"));
    paint.restore();
}
