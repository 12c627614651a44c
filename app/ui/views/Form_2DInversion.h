#pragma once
// The resistivity section view: one tab ("二维反演热力图") with the section of a survey line,
// resistivity coloured between the stations' profiles, a colour bar in ohm-m on the right, the
// stations marked and numbered along the top and on the topography line drawn over the section.
// The colour map comes with the section and from the colour-scale dialog; it may be spread over
// log10 resistivity. The plot's context menu saves the shown section as a PNG or SVG picture.

#include <QColor>
#include <QList>
#include <QMap>
#include <QVector>
#include <QWidget>

#include "ProcessingRecords.h"

class Graph_IsoLineData;
class QAction;
class QLayout;
class QTabWidget;
class QwtPlotCurve;
class QwtPlotGraph;

class Form_2DInversion : public QWidget {
    Q_OBJECT
public:
    explicit Form_2DInversion(QWidget *parent = nullptr);

    QwtPlotGraph *sectionPlot() const { return plot; }
    // The raster of the section shown; null before the first section.
    const Graph_IsoLineData *isoLineData() const;
    const QMap<float, QColor> &colourMap() const { return gradient; }
    bool logColourScale() const;
    QAction *logColourScaleAction() const { return logScaleAction; }

public slots:
    // Shows the section (columns in line order) over the topography with the colour map
    // (position in [0, 1] -> colour; empty: the default stops). The depth axis always has the
    // surface at the top: depths are negative metres, so the larger values are shallower.
    void on_signal2DISOGraphChanged(const QList<DataType_ResultData> &data,
                                    QVector<TopoData> topodataList,
                                    QMap<float, QColor> gradients, bool isInvert);
    void on_signalHuebarChanged(QMap<float, QColor> map);
    void setLogColourScale(bool logarithmic);

private:
    void buildPlot();
    void buildAxes();
    void buildOverlays();
    void buildActions();
    QLayout *toolRow();
    void applyColourMap(const QMap<float, QColor> &map);
    void showColourBar();
    void setAxes();
    void showTopography();
    void showStations();

    QTabWidget *tabWidget = nullptr;
    QwtPlotGraph *plot = nullptr;
    QwtPlotCurve *surfaceLine = nullptr;
    QwtPlotCurve *stationMarks = nullptr;
    QAction *logScaleAction = nullptr;
    QMap<float, QColor> gradient;
};
