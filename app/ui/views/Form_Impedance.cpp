#include "Form_Impedance.h"

#include "CurveEditCommand.h"
#include "Dialog_AxisSetting.h"
#include "Graph_Picker.h"
#include "Graph_ReferenceCurve.h"
#include "ImpedancePlots.h"
#include "LegendEntry.h"
#include "QwtPlotGraph.h"

#include <QAction>
#include <QEvent>
#include <QSplitter>
#include <QUndoStack>
#include <QVBoxLayout>
#include <qwt_plot_canvas.h>

namespace {

const ImpedancePairCurves::Style kPairStyles[Form_Impedance::kPairCount] = {
    {QStringLiteral("ExHy"), Qt::red, QwtSymbol::XCross},
    {QStringLiteral("EyHx"), Qt::blue, QwtSymbol::HLine},
    {QStringLiteral("Ex2Hy"), Qt::darkGreen, QwtSymbol::VLine},
    {QStringLiteral("多极化"), Qt::darkMagenta, QwtSymbol::Diamond},
};
const QColor kModelColour(70, 70, 70);

QVector<QPointF> samplesOf(const QVector<OneFreqImpedance> &points, double OneFreqImpedance::*value)
{
    QVector<QPointF> samples;
    for (const OneFreqImpedance &point : points)
        samples.append(QPointF(point.freq, point.*value));
    return samples;
}

} // namespace

Form_Impedance::Form_Impedance(QWidget *parent)
    : QWidget(parent), plots(std::make_unique<ImpedancePlots>(this)), history(new QUndoStack(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plots->widget());
    createPairs();
    createModelCurves();
    createUndoActions();
    connectPlots();
    plots->replotAll();
}

// The undo stack clears itself when it is deleted with the other children; by then the receivers
// of setSaveTips may be gone, so it no longer reports to this view.
Form_Impedance::~Form_Impedance()
{
    disconnect(history, nullptr, this, nullptr);
}

QwtPlotGraph *Form_Impedance::resistivityPlot() const { return plots->resistivity(); }
QwtPlotGraph *Form_Impedance::phasePlot() const { return plots->phase(); }
QwtPlotGraph *Form_Impedance::coherencyPlot() const { return plots->coherency(); }
QwtPlotGraph *Form_Impedance::trueResistivityPlot() const { return plots->trueResistivity(); }

void Form_Impedance::createPairs()
{
    for (int p = 0; p < kPairCount; ++p)
        pairs[p] = std::make_unique<ImpedancePairCurves>(kPairStyles[p], *plots);
}

void Form_Impedance::createModelCurves()
{
    modelRho = new Graph_ReferenceCurve(QStringLiteral("模型"), kModelColour, QwtSymbol::NoSymbol);
    modelPhase = new Graph_ReferenceCurve(QStringLiteral("模型"), kModelColour, QwtSymbol::NoSymbol);
    modelPhase->setItemAttribute(QwtPlotItem::Legend, false);
    modelRho->attach(plots->resistivity());
    modelPhase->attach(plots->phase());
    setModelCurve({});
}

void Form_Impedance::createUndoActions()
{
    undoCurveEdit = history->createUndoAction(this, QStringLiteral("撤销"));
    undoCurveEdit->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_Z));
    redoCurveEdit = history->createRedoAction(this, QStringLiteral("重做"));
    redoCurveEdit->setShortcuts({QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_Z),
                                 QKeySequence(Qt::CTRL + Qt::Key_Y)});
    for (QAction *action : {undoCurveEdit, redoCurveEdit}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    connect(history, &QUndoStack::indexChanged, this, &Form_Impedance::onHistoryIndexChanged);
}

void Form_Impedance::connectPlots()
{
    auto *axisAction = new QAction(QStringLiteral("坐标轴设置..."), this);
    connect(axisAction, &QAction::triggered, this, &Form_Impedance::showAxisDialog);
    for (QwtPlotGraph *plot : plots->all()) {
        plot->addContextAction(axisAction);
        plot->canvas()->installEventFilter(this);
    }
    for (QwtPlotGraph *plot : {plots->resistivity(), plots->phase()}) {
        connect(plot, &QwtPlotGraph::signalMoveFinished, this, &Form_Impedance::onSignalMoveFinished);
        connect(plot, &QwtPlotGraph::signalMaskRequested, this, &Form_Impedance::onMaskRequested);
        connect(plot->picker(), &Graph_Picker::siganl_DataChanged, this,
                &Form_Impedance::showDraggedBostick);
    }
}

bool Form_Impedance::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        emit objectFoucsQwtPlotChanged();
    return QWidget::eventFilter(watched, event);
}

QVector<OneFreqImpedance> Form_Impedance::editedCurve(Pair pair) const
{
    return pairs[pair]->plotted(edits[pair]).keptPoints();
}

void Form_Impedance::markSaved()
{
    ImpedanceEditState saved = edits;
    for (CurveEdit &edit : saved)
        edit.dropMasked();
    clearSelections();
    applyState(saved);
    history->setClean();
}

void Form_Impedance::setErrorBars(int pair, const QVector<ImpedanceErrorBar> &bars)
{
    if (pair < 0 || pair >= PairMultiPolarity)
        return;
    pairs[pair]->setErrorBars(bars);
    plots->replotAll();
}

void Form_Impedance::onExHyErrorBarsChanged(QVector<ImpedanceErrorBar> bars)
{
    setErrorBars(PairExHy, bars);
}

void Form_Impedance::onEyHxErrorBarsChanged(QVector<ImpedanceErrorBar> bars)
{
    setErrorBars(PairEyHx, bars);
}

void Form_Impedance::onEx2HyErrorBarsChanged(QVector<ImpedanceErrorBar> bars)
{
    setErrorBars(PairEx2Hy, bars);
}

void Form_Impedance::setModelCurve(const QVector<OneFreqImpedance> &model)
{
    modelRho->setSamples(samplesOf(model, &OneFreqImpedance::rho));
    modelPhase->setSamples(samplesOf(model, &OneFreqImpedance::phase));
    for (Graph_ReferenceCurve *curve : {modelRho, modelPhase})
        curve->setVisible(!model.isEmpty());
    updateVisibility();
}

void Form_Impedance::onSeriesColorChanged(int id, QColor color)
{
    if (id < 0 || id >= kPairCount || !color.isValid())
        return;
    pairs[id]->setColour(color);
    plots->replotAll();
}

void Form_Impedance::onExHyImpedanceChanged(QVector<OneFreqImpedance> ExHyimpedance)
{
    receiveCurve(PairExHy, ExHyimpedance);
}

void Form_Impedance::onEyHxImpedanceChanged(QVector<OneFreqImpedance> EyHximpedance)
{
    receiveCurve(PairEyHx, EyHximpedance);
}

void Form_Impedance::onEx2HyImpedanceChanged(QVector<OneFreqImpedance> Ex2Hyimpedance)
{
    receiveCurve(PairEx2Hy, Ex2Hyimpedance);
}

void Form_Impedance::onMPMTImpedanceChanged(QVector<OneFreqImpedance> mpmtImpedance)
{
    receiveCurve(PairMultiPolarity, mpmtImpedance);
}

void Form_Impedance::onSelectPointNameChanged(QString str)
{
    if (str == title)
        return;
    title = str;
    plots->setStationTitle(str);
    clearCurves();
}

void Form_Impedance::receiveCurve(Pair pair, const QVector<OneFreqImpedance> &curve)
{
    clearHistory();
    edits[pair] = CurveEdit::received(curve);
    pairs[pair]->setErrorBars({});
    pairs[pair]->show(edits[pair]);
    updateVisibility();
    refit();
}

void Form_Impedance::clearCurves()
{
    clearHistory();
    for (int p = 0; p < kPairCount; ++p) {
        edits[p] = CurveEdit();
        pairs[p]->setErrorBars({});
        pairs[p]->show(edits[p]);
    }
    updateVisibility();
    refit();
}

void Form_Impedance::clearHistory()
{
    clearingHistory = true;
    history->clear();
    clearingHistory = false;
}

void Form_Impedance::refit()
{
    if (!axesSetByOperator)
        plots->fitTo(edits);
    plots->replotAll();
}

void Form_Impedance::onApparentResPlotAxisXmaxChanged(double xMax)
{
    takeRanges(plots->setFrequencyRange(xMax, plots->frequencyRange().minValue()));
}

void Form_Impedance::onApparentResPlotAxisXminChanged(double xMin)
{
    takeRanges(plots->setFrequencyRange(plots->frequencyRange().maxValue(), xMin));
}

void Form_Impedance::onApparentResPlotAxisYmaxChanged(double yMax)
{
    takeRanges(plots->setResistivityRange(plots->resistivityRange().minValue(), yMax));
}

void Form_Impedance::onApparentResPlotAxisYminChanged(double yMin)
{
    takeRanges(plots->setResistivityRange(yMin, plots->resistivityRange().maxValue()));
}

void Form_Impedance::onTrueResPlotAxisXmaxChanged(double xMax)
{
    takeRanges(plots->setTrueResistivityRange(plots->trueResistivityRange().minValue(), xMax));
}

void Form_Impedance::onTrueResPlotAxisXminChanged(double xMin)
{
    takeRanges(plots->setTrueResistivityRange(xMin, plots->trueResistivityRange().maxValue()));
}

void Form_Impedance::onTrueResPlotAxisYmaxChanged(double yMax)
{
    takeRanges(plots->setDepthRange(yMax, plots->depthRange().minValue()));
}

void Form_Impedance::onTrueResPlotAxisYminChanged(double yMin)
{
    takeRanges(plots->setDepthRange(plots->depthRange().maxValue(), yMin));
}

// Each range whose bounds are not both positive and different (NaN included) leaves its axis
// as it is.
void Form_Impedance::onChartAxisChanged(float freqMax, float freqMin, float appMax, float appMin,
                                        float depMax, float depMin, float trueMax, float trueMin)
{
    bool taken = plots->setFrequencyRange(freqMax, freqMin);
    taken |= plots->setResistivityRange(appMin, appMax);
    taken |= plots->setDepthRange(depMax, depMin);
    taken |= plots->setTrueResistivityRange(trueMin, trueMax);
    takeRanges(taken);
}

// A range the operator set keeps later curves from rescaling the axes.
void Form_Impedance::takeRanges(bool taken)
{
    axesSetByOperator |= taken;
    plots->replotAll();
}

void Form_Impedance::showAxisDialog()
{
    Dialog_AxisSetting dialog(this);
    const QwtInterval freq = plots->frequencyRange(), rho = plots->resistivityRange();
    const QwtInterval depth = plots->depthRange(), trueRho = plots->trueResistivityRange();
    dialog.setValues(freq.maxValue(), freq.minValue(), rho.maxValue(), rho.minValue(),
                     depth.maxValue(), depth.minValue(), trueRho.maxValue(), trueRho.minValue());
    connect(&dialog, &Dialog_AxisSetting::ChartAxisChanged, this,
            &Form_Impedance::onChartAxisChanged);
    dialog.exec();
}

void Form_Impedance::onSignalMoveFinished()
{
    pushEdit(QStringLiteral("移动曲线"), plottedState());
}

void Form_Impedance::showDraggedBostick()
{
    for (int p = 0; p < kPairCount; ++p)
        pairs[p]->showBostick(pairs[p]->plotted(edits[p]));
    plots->trueResistivity()->replot();
}

void Form_Impedance::onMaskRequested(QwtPlotCurve *curve, int index)
{
    for (int p = 0; p < kPairCount; ++p) {
        if (!pairs[p]->owns(curve) || index < 0 || index >= edits[p].points.size())
            continue;
        ImpedanceEditState after = edits;
        after[p].masked.resize(after[p].points.size());
        after[p].masked[index] = !after[p].masked[index];
        pushEdit(after[p].masked[index] ? QStringLiteral("屏蔽点") : QStringLiteral("恢复点"),
                 after);
        return;
    }
}

void Form_Impedance::smoothCurves()
{
    ImpedanceEditState after = edits;
    for (int p = 0; p < kPairCount; ++p)
        if (shown[p])
            after[p].smooth();
    pushEdit(QStringLiteral("平滑"), after);
}

void Form_Impedance::pushEdit(const QString &text, const ImpedanceEditState &after)
{
    if (after == edits)
        return;
    history->push(new CurveEditCommand(text, edits, after,
                                       [this](const ImpedanceEditState &state) { applyState(state); }));
}

void Form_Impedance::applyState(const ImpedanceEditState &state)
{
    edits = state;
    for (int p = 0; p < kPairCount; ++p)
        pairs[p]->show(edits[p]);
    plots->replotAll();
}

ImpedanceEditState Form_Impedance::plottedState() const
{
    ImpedanceEditState state;
    for (int p = 0; p < kPairCount; ++p)
        state[p] = pairs[p]->plotted(edits[p]);
    return state;
}

void Form_Impedance::onHistoryIndexChanged()
{
    if (!clearingHistory)
        emit setSaveTips(!history->isClean());
}

void Form_Impedance::setCurveEditMode(int mode)
{
    if (mode != MoveWholeCurve && mode != MoveSinglePoint)
        return;
    plots->resistivity()->picker()->setEditMode(mode == MoveWholeCurve
                                                    ? Graph_Picker::ModeWholeCurve
                                                    : Graph_Picker::ModeSinglePoint);
    plots->resistivity()->replot();
}

void Form_Impedance::setShowX(bool visible)
{
    shown[PairExHy] = visible;
    updateVisibility();
}

void Form_Impedance::setShowY(bool visible)
{
    shown[PairEyHx] = visible;
    updateVisibility();
}

void Form_Impedance::setShowZ(bool visible)
{
    shown[PairEx2Hy] = visible;
    updateVisibility();
}

void Form_Impedance::setReferenceShown(bool visible)
{
    referenceShown = visible;
    updateVisibility();
}

// Every entry leaves the legend first, so that the shown ones come back in pair order with the
// model last, whatever order the curves arrived in.
void Form_Impedance::updateVisibility()
{
    for (auto &pair : pairs)
        pair->setShown(false, false);
    showInLegend(*modelRho, false);
    for (int p = 0; p < kPairCount; ++p)
        pairs[p]->setShown(shown[p], referenceShown);
    showInLegend(*modelRho, modelRho->dataSize() > 0);
    clearSelections();
    plots->replotAll();
}

void Form_Impedance::clearSelections()
{
    for (QwtPlotGraph *plot : plots->all())
        plot->picker()->clearSelection();
}
