#pragma once
// The curves of one channel pair on the four plots of the impedance view: resistivity, phase and
// coherency as markers of the pair's colour and symbol (masked points hollow, error bars when
// known), the Bostick true resistivity as steps in depth, and faint copies of the resistivity
// and phase drawn for reference while the pair is hidden. The curves stay attached to their
// plots, which own them.

#include <QColor>
#include <QString>
#include <QVector>
#include <qwt_symbol.h>

#include "CurveEdit.h"
#include "ImpedanceErrorBar.h"

class Graph_ReferenceCurve;
class Graph_SoundingCurve;
class ImpedancePlots;
class QwtPlotCurve;

class ImpedancePairCurves {
public:
    struct Style {
        QString title;
        QColor colour;
        QwtSymbol::Style symbol;
    };

    ImpedancePairCurves(const Style &style, const ImpedancePlots &plots);

    // Shows the edit's points on every plot.
    void show(const CurveEdit &edit);
    // Redraws only the true-resistivity steps, from the edit's unmasked points sorted by depth.
    void showBostick(const CurveEdit &edit);
    // The committed edit with the resistivity and phase values the plots now show.
    CurveEdit plotted(const CurveEdit &committed) const;
    // The pair's error bars, matched to the points by frequency (points without a bar of their
    // frequency get none); an empty vector removes them.
    void setErrorBars(const QVector<ImpedanceErrorBar> &bars);
    // Shown: the editable curves are visible and listed in the legend. Hidden: only the faint
    // copies, and those only when asReference is set.
    void setShown(bool shown, bool asReference);
    void setColour(const QColor &colour);
    // True when the curve is one of this pair's editable curves.
    bool owns(const QwtPlotCurve *curve) const;

private:
    void applyColour();
    void applyErrorBars();

    Style style;
    bool hasPoints = false;
    QVector<ImpedanceErrorBar> errorBars;
    Graph_SoundingCurve *rho;
    Graph_SoundingCurve *phase;
    Graph_SoundingCurve *coherency;
    QwtPlotCurve *bostick;
    Graph_ReferenceCurve *faintRho;
    Graph_ReferenceCurve *faintPhase;
};
