#pragma once
// The curve picker of a plot: an event filter on the plot's canvas that selects the curve point
// nearest the pointer and drags it (edit mode 2) or drags its whole curve by a constant factor
// (edit mode 1), and that turns the wheel and a rubber band (edit mode 0) into zoom requests.
//
// Selection: a left press within kPickRadius pixels of a point of a visible, editable curve
// selects the nearest such point and highlights it in magenta; a press farther away clears the
// selection. A release after a drag reports the move and clears the selection; a release without
// a drag keeps the point selected, so that Delete can ask for it to be masked. Escape clears it.

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

class QEvent;
class QKeyEvent;
class QMouseEvent;
class QRubberBand;
class QWheelEvent;
class QwtPlot;
class QwtPlotCurve;

class Graph_Picker : public QObject {
    Q_OBJECT
public:
    enum EditMode { ModeNone = 0, ModeWholeCurve = 1, ModeSinglePoint = 2 };
    static constexpr double kPickRadius = 10.0;  // pixels

    // Installs itself on the plot's canvas; the plot must outlive it (it is the plot's child).
    explicit Graph_Picker(QwtPlot *plot);

    // 0 none (wheel and rubber-band zoom only), 1 whole curve, 2 single point. Other values are
    // treated as 0. Entering 1 or 2 creates the highlight curve.
    void setEditMode(int mode);
    int editMode() const { return mode; }

    QwtPlotCurve *selectedCurve() const { return curve; }
    int selectedIndex() const { return index; }
    void clearSelection();

    // The point of a visible editable curve nearest to pos (canvas pixels) when it lies within
    // kPickRadius; false otherwise.
    bool pointNear(const QPoint &pos, QwtPlotCurve *&nearestCurve, int &nearestIndex) const;

signals:
    void signal_ZoomScale(bool in, QPoint position);
    void signal_DBclick(QwtPlotCurve *curve);
    void siganl_ClearDBclick();
    void siganl_DataChanged();
    void signal_movefinished();
    // A rubber band drawn in mode 0, in canvas pixels.
    void signal_ZoomRect(QRect canvasRect);
    // Delete pressed on the selected point.
    void signal_MaskRequested(QwtPlotCurve *curve, int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool mousePressed(QMouseEvent *event);
    bool mouseMoved(QMouseEvent *event);
    bool mouseReleased(QMouseEvent *event);
    bool mouseDoubleClicked(QMouseEvent *event);
    bool wheelTurned(QWheelEvent *event);
    bool keyPressed(QKeyEvent *event);

    void select(QwtPlotCurve *picked, int pickedIndex);
    void dragSelectionTo(const QPoint &pos);
    void moveSinglePoint(double y);
    void moveWholeCurve(double y);
    void showHighlight();
    void hideHighlight();
    void createHighlight();
    void startRubberBand(const QPoint &pos);
    void finishRubberBand();
    QPoint clampedToCanvas(const QPoint &pos) const;

    QwtPlot *plot;
    // The canvas the filter sits on, kept apart from the plot so that events sent while the plot
    // is being destroyed are told apart without calling into it.
    QPointer<QWidget> watchedCanvas;
    int mode = ModeNone;
    QwtPlotCurve *curve = nullptr;
    int index = -1;
    bool dragged = false;
    QwtPlotCurve *highlight = nullptr;   // attached to the plot, which deletes it
    QPointer<QRubberBand> rubberBand;
    QPoint rubberOrigin;
};
