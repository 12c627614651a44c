#pragma once
// The four plots of the impedance view and their axes: apparent resistivity over phase over
// coherency against frequency (log axes, high frequencies on the left, one frequency axis shared
// by the three and labelled under the lowest), and beside them the Bostick true resistivity
// against depth (log axes, depth increasing downwards), in white-handled splitters.
//
// Ranges are given as (high, low) for frequency and depth, as they are drawn, and (low, high)
// for the resistivities. A range whose bounds are not both finite, positive and different is
// refused (false) and the axis keeps its scale.

#include <QList>
#include <QString>
#include <qwt_interval.h>

#include "CurveEdit.h"

class QSplitter;
class QWidget;
class QwtPlotGraph;

class ImpedancePlots {
public:
    explicit ImpedancePlots(QWidget *parent);

    QSplitter *widget() const { return outer; }
    QwtPlotGraph *resistivity() const { return rhoPlot; }
    QwtPlotGraph *phase() const { return phasePlot; }
    QwtPlotGraph *coherency() const { return coherencyPlot; }
    QwtPlotGraph *trueResistivity() const { return bostickPlot; }
    QList<QwtPlotGraph *> all() const;
    QList<QwtPlotGraph *> frequencyPlots() const;

    bool setFrequencyRange(double high, double low);
    bool setResistivityRange(double low, double high);
    bool setTrueResistivityRange(double low, double high);
    bool setDepthRange(double deep, double shallow);
    // Current ranges, lower bound first.
    QwtInterval frequencyRange() const;
    QwtInterval resistivityRange() const;
    QwtInterval trueResistivityRange() const;
    QwtInterval depthRange() const;

    // Whole decades around every point of the state: frequency, resistivity (never less than
    // 1 to 10000 ohm-m), Bostick resistivity and depth. Axes without data keep their scale.
    void fitTo(const ImpedanceEditState &state);
    void setStationTitle(const QString &title);
    // Lines up the three frequency plots' canvases and redraws every plot.
    void replotAll();

private:
    void buildResistivityPlot();
    void buildPhasePlot();
    void buildCoherencyPlot();
    void buildTrueResistivityPlot();
    void setFrequencyAxis(QwtPlotGraph *plot, bool labelled);
    void followFrequencyAxis(QwtPlotGraph *source);

    QSplitter *outer;
    QSplitter *frequencyColumn;
    QwtPlotGraph *rhoPlot;
    QwtPlotGraph *phasePlot;
    QwtPlotGraph *coherencyPlot;
    QwtPlotGraph *bostickPlot;
};
