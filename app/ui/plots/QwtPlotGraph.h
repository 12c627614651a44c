#pragma once
// The program's plot: a QwtPlot on a white canvas with dashed major and dotted minor grid lines,
// axis backbones, no margins, and a curve picker (Graph_Picker) on its canvas. The picker's wheel
// and rubber-band requests zoom the bottom and left axes; a double click away from the curves,
// the Home key or the context menu's "全图显示" returns to the view before the first zoom step.
// The context menu also saves the plot as a PNG or SVG picture and, over a point of an editable
// curve, asks the owner to mask or restore it. For the section view it owns one spectrogram.
//
// Auto-replot is off: owners set their samples and call replot() once.

#include <QAction>
#include <QList>
#include <QPair>
#include <QPointer>
#include <qwt_plot.h>

class Graph_Picker;
class QMenu;
class QwtPlotCurve;
class QwtPlotGrid;
class QwtPlotSpectrogram;

class QwtPlotGraph : public QwtPlot {
    Q_OBJECT
public:
    explicit QwtPlotGraph(QWidget *parent = nullptr);

    Graph_Picker *picker() const { return curvePicker; }
    QwtPlotGrid *grid() const { return plotGrid; }

    // A log10 axis with at most 9 minor ticks per decade and decade labels, optionally marked
    // Inverted.
    void setLogAxis(int axisId, bool inverted = false);

    // The section's spectrogram: newSpectrogram() deletes the previous one and attaches a new
    // one; spectrogram() is null before the first call.
    QwtPlotSpectrogram *newSpectrogram();
    QwtPlotSpectrogram *spectrogram() const { return sectionSpectrogram; }

    // Zoom of the bottom and left axes. in: by kWheelZoomStep about pos (canvas pixels); a rubber
    // band: to the rectangle (canvas pixels). Directions of inverted axes are kept. The first step
    // remembers the view it started from; zoomHome() returns there, forgetZoom() drops it (owners
    // call it after setting new scales themselves).
    static constexpr double kWheelZoomStep = 0.8;
    void zoomAt(bool in, const QPoint &pos);
    void zoomToRect(const QRect &canvasRect);
    void zoomHome();
    void forgetZoom() { homeScales.clear(); }
    bool isZoomed() const { return !homeScales.isEmpty(); }

    // Writes the plot at its on-screen size: PNG, or SVG when fileName ends in ".svg". False when
    // the file could not be written.
    bool saveImage(const QString &fileName);

    // Extra entries the owner offers in the context menu (the plot does not take ownership).
    void addContextAction(QAction *action) { contextActions.append(action); }

signals:
    void signalMoveFinished();
    // The operator asked to mask the point, or to restore it when it is masked.
    void signalMaskRequested(QwtPlotCurve *curve, int index);
    // After every zoom step and the return to the full view.
    void signalZoomed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void showContextMenu(const QPoint &pos);

private:
    void applyFrameSettings();
    void applyAxisSettings();
    void createGrid();
    void connectPicker();
    void rememberHome();
    // Sets the axis to the values under two canvas pixels, the first on the side of the axis's
    // first bound, so an inverted axis stays inverted.
    bool setScaleFromPixels(int axisId, double firstPixel, double secondPixel);
    void addMaskAction(QMenu &menu, const QPoint &pos);
    void saveThroughDialog(const QString &filter, const QString &suffix);

    Graph_Picker *curvePicker = nullptr;
    QwtPlotGrid *plotGrid = nullptr;
    QwtPlotSpectrogram *sectionSpectrogram = nullptr;
    QList<QPair<int, QPair<double, double>>> homeScales;
    QList<QPointer<QAction>> contextActions;
};
