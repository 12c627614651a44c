#pragma once
// The impedance view: the sounding curves of the selected station for the channel pairs Ex-Hy,
// Ey-Hx, Ex2-Hy and multipolarity, on four plots (apparent resistivity, phase, coherency and the
// Bostick true resistivity against depth). The operator drags single points or whole
// resistivity curves, drags phase points one at a time, masks outliers, smooths the curves and
// sets the axis ranges; every curve edit can be undone (Ctrl+Z) and redone (Ctrl+Shift+Z). The
// main window fetches the edited curves for saving with editedCurve() and calls markSaved().
//
// Pair ids, used by onSeriesColorChanged and setErrorBars: 0 Ex-Hy, 1 Ey-Hx, 2 Ex2-Hy,
// 3 multipolarity. The show-X, show-Y and show-Z switches govern Ex-Hy, Ey-Hx and Ex2-Hy; the
// multipolarity curve is shown whenever it has points. A hidden pair stays drawn faintly for
// reference unless setReferenceShown(false).

#include <QString>
#include <QVector>
#include <QWidget>
#include <array>
#include <memory>

#include "CurveEdit.h"
#include "ImpedanceErrorBar.h"
#include "ImpedancePairCurves.h"
#include "SpectralRecords.h"

class Graph_ReferenceCurve;
class ImpedancePlots;
class QAction;
class QUndoStack;
class QwtPlotCurve;
class QwtPlotGraph;

class Form_Impedance : public QWidget {
    Q_OBJECT
public:
    enum Pair { PairExHy = 0, PairEyHx = 1, PairEx2Hy = 2, PairMultiPolarity = 3 };
    static constexpr int kPairCount = 4;
    // The main window's curve-edit modes.
    enum CurveEditMode { MoveWholeCurve = 1, MoveSinglePoint = 256 };

    explicit Form_Impedance(QWidget *parent = nullptr);
    ~Form_Impedance() override;

    // The pair's curve for saving: every unmasked point rebuilt from the plotted resistivity and
    // phase, with its Bostick values recomputed, in increasing frequency.
    QVector<OneFreqImpedance> editedCurve(Pair pair) const;
    // The curves were saved: masked points are dropped (the store no longer has them) and the
    // current state becomes the clean state of the undo history.
    void markSaved();

    // The pair's error bars (ohm-m, degrees), matched to its points by frequency; a new curve
    // clears them. Ids other than 0..2 are ignored (the multipolarity curve carries none).
    void setErrorBars(int pair, const QVector<ImpedanceErrorBar> &bars);
    // An earth model's curve, drawn as a faint grey line under the measured ones; empty removes it.
    void setModelCurve(const QVector<OneFreqImpedance> &model);

    QUndoStack *undoStack() const { return history; }
    QAction *undoAction() const { return undoCurveEdit; }
    QAction *redoAction() const { return redoCurveEdit; }
    QwtPlotGraph *resistivityPlot() const;
    QwtPlotGraph *phasePlot() const;
    QwtPlotGraph *coherencyPlot() const;
    QwtPlotGraph *trueResistivityPlot() const;
    QString stationTitle() const { return title; }

signals:
    void objectFoucsQwtPlotChanged();
    void setSaveTips(bool unsaved);

public slots:
    // id names the pair (0 Ex-Hy, 1 Ey-Hx, 2 Ex2-Hy, 3 multipolarity); other ids are ignored.
    void onSeriesColorChanged(int id, QColor color);
    void onExHyImpedanceChanged(QVector<OneFreqImpedance> ExHyimpedance);
    void onEyHxImpedanceChanged(QVector<OneFreqImpedance> EyHximpedance);
    void onEx2HyImpedanceChanged(QVector<OneFreqImpedance> Ex2Hyimpedance);
    void onMPMTImpedanceChanged(QVector<OneFreqImpedance> mpmtImpedance);
    void onExHyErrorBarsChanged(QVector<ImpedanceErrorBar> bars);
    void onEyHxErrorBarsChanged(QVector<ImpedanceErrorBar> bars);
    void onEx2HyErrorBarsChanged(QVector<ImpedanceErrorBar> bars);
    // A new title names another station (or recording): every pair's curve is cleared.
    void onSelectPointNameChanged(QString str);

    void onApparentResPlotAxisXmaxChanged(double xMax);
    void onApparentResPlotAxisXminChanged(double xMin);
    void onApparentResPlotAxisYmaxChanged(double yMax);
    void onApparentResPlotAxisYminChanged(double yMin);
    void onTrueResPlotAxisXmaxChanged(double xMax);
    void onTrueResPlotAxisXminChanged(double xMin);
    void onTrueResPlotAxisYmaxChanged(double yMax);
    void onTrueResPlotAxisYminChanged(double yMin);
    void onChartAxisChanged(float freqMax, float freqMin, float appMax, float appMin,
                            float depMax, float depMin, float trueMax, float trueMin);
    void onSignalMoveFinished();

    // MoveSinglePoint or MoveWholeCurve for the resistivity plot; phase points always move singly.
    void setCurveEditMode(int mode);
    void setShowX(bool shown);
    void setShowY(bool shown);
    void setShowZ(bool shown);
    void setReferenceShown(bool shown);
    // Smooths the resistivity and phase of every shown pair with the curve smoother.
    void smoothCurves();
    // Opens the axis-range dialog on the current ranges.
    void showAxisDialog();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void takeRanges(bool taken);
    void createPairs();
    void createModelCurves();
    void createUndoActions();
    void connectPlots();
    void receiveCurve(Pair pair, const QVector<OneFreqImpedance> &curve);
    void clearCurves();
    void clearHistory();
    void applyState(const ImpedanceEditState &state);
    void pushEdit(const QString &text, const ImpedanceEditState &after);
    ImpedanceEditState plottedState() const;
    void showDraggedBostick();
    void onMaskRequested(QwtPlotCurve *curve, int index);
    void onHistoryIndexChanged();
    void updateVisibility();
    void clearSelections();
    void refit();

    std::unique_ptr<ImpedancePlots> plots;
    std::array<std::unique_ptr<ImpedancePairCurves>, kPairCount> pairs;
    ImpedanceEditState edits;
    std::array<bool, kPairCount> shown{{true, true, true, true}};
    bool referenceShown = true;
    bool axesSetByOperator = false;
    bool clearingHistory = false;
    QString title;
    Graph_ReferenceCurve *modelRho = nullptr;
    Graph_ReferenceCurve *modelPhase = nullptr;
    QUndoStack *history;
    QAction *undoCurveEdit = nullptr;
    QAction *redoCurveEdit = nullptr;
};
