#pragma once
// A curve shown faintly for reference under the editable curves (an earth model's curve, or a
// channel pair the operator has hidden). Its own item type keeps the picker from selecting it.

#include <QColor>
#include <qwt_plot_curve.h>
#include <qwt_symbol.h>

class Graph_ReferenceCurve : public QwtPlotCurve {
public:
    static constexpr int Rtti = QwtPlotItem::Rtti_PlotUserItem + 1;

    // A faint line when symbol is QwtSymbol::NoSymbol, faint markers of that symbol otherwise.
    Graph_ReferenceCurve(const QString &title, const QColor &colour, QwtSymbol::Style symbol);

    int rtti() const override { return Rtti; }
    void setColour(const QColor &colour);

private:
    QwtSymbol::Style symbolStyle;
};
