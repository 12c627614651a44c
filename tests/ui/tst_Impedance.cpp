// The impedance view driven like an operator would: curves of layered earths arrive through the
// hub's slots, points and curves are dragged with real mouse events at the pixels of their
// samples, points are masked with Delete or the context menu, edits are undone and redone with
// the keyboard, and the curves handed back for saving are checked against the formulas and the
// curve smoother.
#define QTEST_QPA_MOUSE_HANDLING
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>
#include <cmath>
#include <qwt_legend.h>
#include <qwt_legend_label.h>
#include <qwt_plot_curve.h>
#include <qwt_scale_div.h>
#include <qwt_symbol.h>

#include "CurveSamples.h"
#include "Data_FitCalc.h"
#include "Form_Impedance.h"
#include "Graph_Picker.h"
#include "Graph_ReferenceCurve.h"
#include "LayeredEarth.h"
#include "PlotMouse.h"
#include "QwtPlotGraph.h"

namespace {

constexpr int kPoints = 24;

// A curve of the earth at kPoints frequencies, a quarter decade apart from 1000 Hz down, in
// increasing frequency; resistivities multiplied by scale.
QVector<OneFreqImpedance> earthCurve(const LayeredEarth &earth, double scale)
{
    QVector<OneFreqImpedance> curve;
    for (int i = kPoints - 1; i >= 0; --i) {
        OneFreqImpedance point;
        point.tag = 0.25 * i;
        point.freq = std::pow(10.0, 3.0 - 0.25 * i);
        point.coherency = 0.7 + 0.01 * i;
        point.rho = scale * earth.apparentResistivity(point.freq);
        point.phase = earth.phaseDegrees(point.freq);
        curve.append(point);
    }
    return curve;
}

LayeredEarth conductiveMiddle()
{
    return LayeredEarth({{300.0, 400.0}, {10.0, 1500.0}}, 1000.0);
}

LayeredEarth resistiveMiddle()
{
    return LayeredEarth({{50.0, 300.0}, {2000.0, 3000.0}}, 20.0);
}

double bostickRho(double rho, double phase) { return (90.0 / phase - 1.0) * rho; }
double bostickDepth(double rho, double f) { return 356.0 * std::sqrt(rho / f); }

bool near(double a, double b, double relative)
{
    return std::abs(a - b) <= relative * std::max(std::abs(a), std::abs(b));
}

bool samePoint(const OneFreqImpedance &a, const OneFreqImpedance &b)
{
    return a.tag == b.tag && a.freq == b.freq && a.coherency == b.coherency && a.rho == b.rho
           && a.phase == b.phase;
}

QwtPlotCurve *curveTitled(QwtPlot *plot, const QString &title, int rtti = QwtPlotItem::Rtti_PlotCurve)
{
    for (QwtPlotItem *item : plot->itemList(rtti))
        if (item->title().text() == title)
            return static_cast<QwtPlotCurve *>(item);
    return nullptr;
}

} // namespace

class TestImpedance : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void receivedCurvesDrawBostickStepsByTheFormulas();
    void singlePointDragChangesOnlyThatResistivity();
    void wholeCurveDragMultipliesEveryPointByOneFactor();
    void phasePickerMovesOnePointEvenInWholeCurveMode();
    void moveFinishedRecomputesBostickAndAsksToSave();
    void smoothingMatchesTheCurveSmoother_data();
    void smoothingMatchesTheCurveSmoother();
    void undoRestoresExactValuesAndRedoReapplies();
    void maskedPointIsLeftOutOfTheSavedCurve();
    void contextMenuMasksAndRestoresAPoint();
    void maskedPointDrawnHollowAndErrorBarsDrawn();
    void hiddenPairIsDrawnFaintlyAndCannotBePicked();
    void newStationClearsCurvesAndHistory();
    void axisRanges_data();
    void axisRanges();
    void legendListsShownPairsWithPointsAndTheModel();
    void seriesColourIdsNameThePairs_data();
    void seriesColourIdsNameThePairs();

private:
    QPoint rhoPixel(int pair, int index) const;
    QPoint phasePixel(int pair, int index) const;
    QVector<OneFreqImpedance> saved(int pair) const
    {
        return form->editedCurve(Form_Impedance::Pair(pair));
    }

    Form_Impedance *form = nullptr;
    QVector<OneFreqImpedance> received[Form_Impedance::kPairCount];
};

void TestImpedance::init()
{
    form = new Form_Impedance;
    form->resize(1280, 860);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    received[0] = earthCurve(conductiveMiddle(), 1.0);
    received[1] = earthCurve(resistiveMiddle(), 1.0);
    received[2] = earthCurve(conductiveMiddle(), 2.0);
    received[3].clear();
    form->onSelectPointNameChanged(QStringLiteral("Station 101"));
    form->onExHyImpedanceChanged(received[0]);
    form->onEx2HyImpedanceChanged(received[2]);
    form->onEyHxImpedanceChanged(received[1]);
    QCoreApplication::processEvents();
}

void TestImpedance::cleanup()
{
    delete form;
    form = nullptr;
}

QPoint TestImpedance::rhoPixel(int pair, int index) const
{
    const OneFreqImpedance &p = received[pair][index];
    return pixelOf(form->resistivityPlot(), QPointF(p.freq, p.rho));
}

QPoint TestImpedance::phasePixel(int pair, int index) const
{
    const OneFreqImpedance &p = received[pair][index];
    return pixelOf(form->phasePlot(), QPointF(p.freq, p.phase));
}

void TestImpedance::receivedCurvesDrawBostickStepsByTheFormulas()
{
    QwtPlotCurve *steps = curveTitled(form->trueResistivityPlot(), QStringLiteral("EyHx"));
    QVERIFY(steps);
    const QVector<QPointF> drawn = curveSamples(*steps);
    QCOMPARE(drawn.size(), kPoints);
    // Depth grows as the frequency falls, so the steps run from the last received point back.
    for (int i = 0; i < kPoints; ++i) {
        const OneFreqImpedance &p = received[1][kPoints - 1 - i];
        QVERIFY(near(drawn[i].x(), bostickRho(p.rho, p.phase), 1e-12));
        QVERIFY(near(drawn[i].y(), bostickDepth(p.rho, p.freq), 1e-12));
    }
}

void TestImpedance::singlePointDragChangesOnlyThatResistivity()
{
    const QPoint from = rhoPixel(0, 9);
    const QPoint to = from + QPoint(12, -50);
    dragOnCanvas(form->resistivityPlot(), from, to);
    const double expected = form->resistivityPlot()->invTransform(QwtPlot::yLeft, to.y());
    const QVector<OneFreqImpedance> curve = saved(0);
    QCOMPARE(curve.size(), kPoints);
    for (int i = 0; i < kPoints; ++i) {
        QCOMPARE(curve[i].freq, received[0][i].freq);
        QCOMPARE(curve[i].phase, received[0][i].phase);
        if (i == 9)
            QVERIFY(near(curve[i].rho, expected, 1e-12));
        else
            QVERIFY(samePoint(curve[i], received[0][i]));
    }
    for (int pair = 1; pair < 3; ++pair)
        for (int i = 0; i < kPoints; ++i)
            QVERIFY(samePoint(saved(pair)[i], received[pair][i]));
}

void TestImpedance::wholeCurveDragMultipliesEveryPointByOneFactor()
{
    form->setCurveEditMode(Form_Impedance::MoveWholeCurve);
    const QPoint from = rhoPixel(1, 15);
    const QPoint to = from + QPoint(0, 70);
    dragOnCanvas(form->resistivityPlot(), from, to);
    const double factor = form->resistivityPlot()->invTransform(QwtPlot::yLeft, to.y())
                          / received[1][15].rho;
    QVERIFY(factor < 0.8);
    const QVector<OneFreqImpedance> curve = saved(1);
    for (int i = 0; i < kPoints; ++i) {
        QVERIFY2(near(curve[i].rho / received[1][i].rho, factor, 1e-9),
                 qPrintable(QStringLiteral("point %1: %2 against %3")
                                .arg(i).arg(curve[i].rho / received[1][i].rho).arg(factor)));
        QCOMPARE(curve[i].phase, received[1][i].phase);
    }
    QVERIFY(samePoint(saved(0)[15], received[0][15]));
}

void TestImpedance::phasePickerMovesOnePointEvenInWholeCurveMode()
{
    form->setCurveEditMode(Form_Impedance::MoveWholeCurve);
    const QPoint from = phasePixel(1, 4);
    dragOnCanvas(form->phasePlot(), from, from + QPoint(0, -25));
    const QVector<OneFreqImpedance> curve = saved(1);
    int changed = 0;
    for (int i = 0; i < kPoints; ++i) {
        changed += curve[i].phase != received[1][i].phase;
        QCOMPARE(curve[i].rho, received[1][i].rho);
    }
    QCOMPARE(changed, 1);
    QVERIFY(curve[4].phase > received[1][4].phase);
}

void TestImpedance::moveFinishedRecomputesBostickAndAsksToSave()
{
    QSignalSpy tips(form, &Form_Impedance::setSaveTips);
    const QPoint from = rhoPixel(2, 20);
    dragOnCanvas(form->resistivityPlot(), from, from + QPoint(0, 40));
    QCOMPARE(tips.count(), 1);
    QCOMPARE(tips.first().first().toBool(), true);
    const OneFreqImpedance moved = saved(2)[20];
    QVERIFY(moved.rho < received[2][20].rho);
    QVERIFY(near(moved.bostickRho, bostickRho(moved.rho, moved.phase), 1e-12));
    QVERIFY(near(moved.bostickDepth, bostickDepth(moved.rho, moved.freq), 1e-12));
    const QVector<QPointF> steps =
        curveSamples(*curveTitled(form->trueResistivityPlot(), QStringLiteral("Ex2Hy")));
    QVERIFY(steps.contains(QPointF(moved.bostickRho, moved.bostickDepth)));
    for (int i = 1; i < steps.size(); ++i)
        QVERIFY(steps[i - 1].y() <= steps[i].y());
}

void TestImpedance::smoothingMatchesTheCurveSmoother_data()
{
    QTest::addColumn<bool>("showY");
    QTest::addColumn<int>("maskedIndex");
    QTest::newRow("all pairs shown") << true << -1;
    QTest::newRow("Ey-Hx hidden") << false << -1;
    QTest::newRow("a masked Ex-Hy point") << true << 7;
}

// Shown pairs get Data_FitCalc's smoothing of their unmasked values; a hidden pair and a masked
// point keep theirs.
void TestImpedance::smoothingMatchesTheCurveSmoother()
{
    QFETCH(bool, showY);
    QFETCH(int, maskedIndex);
    form->setShowY(showY);
    if (maskedIndex >= 0) {
        QTest::mouseClick(form->resistivityPlot()->canvas(), Qt::LeftButton, Qt::NoModifier,
                          rhoPixel(0, maskedIndex));
        QTest::keyClick(form->resistivityPlot()->canvas(), Qt::Key_Delete);
    }
    form->smoothCurves();
    for (int pair = 0; pair < 3; ++pair) {
        QVector<double> rho, phase;
        QVector<int> kept;
        for (int i = 0; i < kPoints; ++i)
            if (!(pair == 0 && i == maskedIndex)) {
                kept.append(i);
                rho.append(received[pair][i].rho);
                phase.append(received[pair][i].phase);
            }
        const bool smoothed = pair != 1 || showY;
        if (smoothed) {
            rho = Data_FitCalc::smoothed(rho);
            phase = Data_FitCalc::smoothed(phase);
        }
        const QVector<OneFreqImpedance> curve = saved(pair);
        QCOMPARE(curve.size(), kept.size());
        for (int k = 0; k < kept.size(); ++k) {
            QCOMPARE(curve[k].freq, received[pair][kept[k]].freq);
            QCOMPARE(curve[k].rho, rho[k]);
            QCOMPARE(curve[k].phase, phase[k]);
        }
    }
}

void TestImpedance::undoRestoresExactValuesAndRedoReapplies()
{
    QSignalSpy tips(form, &Form_Impedance::setSaveTips);
    QWidget *canvas = form->resistivityPlot()->canvas();
    const QPoint from = rhoPixel(0, 5);
    dragOnCanvas(form->resistivityPlot(), from, from + QPoint(0, -35));
    const QVector<OneFreqImpedance> afterDrag = saved(0);
    form->smoothCurves();
    const QVector<OneFreqImpedance> afterSmooth = saved(0);
    QVERIFY(afterSmooth[10].rho != afterDrag[10].rho);

    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    for (int i = 0; i < kPoints; ++i)
        QVERIFY(samePoint(saved(0)[i], afterDrag[i]));
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    for (int pair = 0; pair < 3; ++pair)
        for (int i = 0; i < kPoints; ++i)
            QVERIFY(samePoint(saved(pair)[i], received[pair][i]));
    QCOMPARE(tips.last().first().toBool(), false);
    QCOMPARE(curveSamples(*curveTitled(form->resistivityPlot(), QStringLiteral("ExHy")))[5].y(),
             received[0][5].rho);

    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    for (int i = 0; i < kPoints; ++i)
        QVERIFY(samePoint(saved(0)[i], afterSmooth[i]));
    QCOMPARE(tips.last().first().toBool(), true);
}

void TestImpedance::maskedPointIsLeftOutOfTheSavedCurve()
{
    QWidget *canvas = form->resistivityPlot()->canvas();
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, rhoPixel(1, 12));
    QTest::keyClick(canvas, Qt::Key_Delete);
    QVector<OneFreqImpedance> curve = saved(1);
    QCOMPARE(curve.size(), kPoints - 1);
    for (const OneFreqImpedance &point : curve)
        QVERIFY(point.freq != received[1][12].freq);

    QTest::keyClick(canvas, Qt::Key_Delete);
    QCOMPARE(saved(1).size(), kPoints);
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(saved(1).size(), kPoints - 1);

    form->markSaved();
    QCOMPARE(curveSamples(*curveTitled(form->resistivityPlot(), QStringLiteral("EyHx"))).size(),
             kPoints - 1);
    QVERIFY(form->undoStack()->isClean());
    QCOMPARE(saved(1).size(), kPoints - 1);
}

void TestImpedance::contextMenuMasksAndRestoresAPoint()
{
    form->setShowZ(false);   // Ex2-Hy shares Ex-Hy's phases
    QWidget *canvas = form->phasePlot()->canvas();
    for (int round = 0; round < 2; ++round) {
        QString entry;
        QTimer::singleShot(0, [&entry] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            entry = menu->actions().first()->text();
            menu->actions().first()->trigger();
            menu->close();
        });
        QTest::mouseClick(canvas, Qt::RightButton, Qt::NoModifier, phasePixel(0, 3));
        QTRY_VERIFY(!entry.isEmpty());
        QCOMPARE(entry, round == 0 ? QStringLiteral("屏蔽该点") : QStringLiteral("恢复该点"));
        QCOMPARE(saved(0).size(), round == 0 ? kPoints - 1 : kPoints);
    }
}

// Only Ex-Hy is shown, over a quiet stretch of canvas: a masked point has a white centre inside
// a red ring, and an error bar of 60 % puts red pixels at 1.45 times a point's resistivity.
void TestImpedance::maskedPointDrawnHollowAndErrorBarsDrawn()
{
    form->setShowY(false);
    form->setShowZ(false);
    form->setReferenceShown(false);
    QwtPlotGraph *plot = form->resistivityPlot();
    QVector<ImpedanceErrorBar> bars;
    for (const OneFreqImpedance &point : received[0])
        bars.append({point.freq, 0.6 * point.rho, 2.0});
    const OneFreqImpedance &barred = received[0][16];
    const QPoint bar = pixelOf(plot, QPointF(barred.freq, 1.45 * barred.rho));
    QVERIFY(rhoPixel(0, 16).y() - bar.y() > 6);   // clear of the marker
    const QPoint centre = rhoPixel(0, 8);
    // Antialiased lines may fall between two pixel columns: the pixel or a horizontal neighbour.
    auto redAt = [plot](const QPoint &pixel) {
        const QImage image = plot->canvas()->grab().toImage();
        for (int dx = -1; dx <= 1; ++dx) {
            const QColor colour = image.pixelColor(pixel + QPoint(dx, 0));
            if (colour.red() > 180 && colour.green() < 120 && colour.blue() < 120)
                return true;
        }
        return false;
    };
    QVERIFY(!redAt(bar));
    form->onExHyErrorBarsChanged(bars);
    QVERIFY(redAt(bar));
    for (ImpedanceErrorBar &other : bars)   // bars of other frequencies belong to no point
        other.freq *= 1.01;
    form->onExHyErrorBarsChanged(bars);
    QVERIFY(!redAt(bar));

    QVERIFY(redAt(centre));
    QTest::mouseClick(plot->canvas(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::keyClick(plot->canvas(), Qt::Key_Escape);
    QTest::keyClick(plot->canvas(), Qt::Key_Delete);
    QVERIFY(redAt(centre));
    QTest::mouseClick(plot->canvas(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::keyClick(plot->canvas(), Qt::Key_Delete);
    QTest::keyClick(plot->canvas(), Qt::Key_Escape);
    QCOMPARE(plot->canvas()->grab().toImage().pixelColor(centre), QColor(Qt::white));
    QVERIFY(redAt(centre + QPoint(4, 0)));
}

void TestImpedance::hiddenPairIsDrawnFaintlyAndCannotBePicked()
{
    QwtPlotGraph *plot = form->resistivityPlot();
    form->setShowY(false);
    QTest::mousePress(plot->canvas(), Qt::LeftButton, Qt::NoModifier, rhoPixel(1, 2));
    QCOMPARE(plot->picker()->selectedIndex(), -1);
    QTest::mouseRelease(plot->canvas(), Qt::LeftButton, Qt::NoModifier, rhoPixel(1, 2));
    QwtPlotCurve *faint = curveTitled(plot, QStringLiteral("EyHx"), Graph_ReferenceCurve::Rtti);
    QVERIFY(faint && faint->isVisible());
    QCOMPARE(curveSamples(*faint).size(), kPoints);

    form->setReferenceShown(false);
    QVERIFY(!faint->isVisible());
    form->setShowY(true);
    QTest::mousePress(plot->canvas(), Qt::LeftButton, Qt::NoModifier, rhoPixel(1, 2));
    QCOMPARE(plot->picker()->selectedIndex(), 2);
}

void TestImpedance::newStationClearsCurvesAndHistory()
{
    form->smoothCurves();
    QCOMPARE(form->undoStack()->count(), 1);
    form->onSelectPointNameChanged(QStringLiteral("Station 102"));
    for (int pair = 0; pair < Form_Impedance::kPairCount; ++pair)
        QVERIFY(saved(pair).isEmpty());
    QCOMPARE(form->undoStack()->count(), 0);
}

void TestImpedance::axisRanges_data()
{
    QTest::addColumn<QVector<float>>("dialog");
    QTest::addColumn<QVector<double>>("expected");   // f left, f right, rho, true rho, depth top..bottom
    QTest::newRow("all eight")
        << QVector<float>{1000.f, 0.01f, 5000.f, 5.f, 20000.f, 50.f, 3000.f, 3.f}
        << QVector<double>{1000, 0.01, 5, 5000, 3, 3000, 20000, 50};
    QTest::newRow("zero and NaN ranges keep their axes")
        << QVector<float>{0.f, 0.01f, 5000.f, 5.f, float(qQNaN()), 50.f, 3000.f, 3000.f}
        << QVector<double>{-1, -1, 5, 5000, -1, -1, -1, -1};
}

void TestImpedance::axisRanges()
{
    QFETCH(QVector<float>, dialog);
    QFETCH(QVector<double>, expected);
    QwtPlot *rho = form->resistivityPlot(), *phase = form->phasePlot();
    QwtPlot *depth = form->trueResistivityPlot();
    const auto bounds = [&] {
        QVector<double> values;
        for (const auto &[plot, axis] : {std::pair(rho, QwtPlot::xBottom), std::pair(rho, QwtPlot::yLeft),
                                         std::pair(depth, QwtPlot::xBottom), std::pair(depth, QwtPlot::yLeft)})
            values << plot->axisScaleDiv(axis).lowerBound() << plot->axisScaleDiv(axis).upperBound();
        return values;
    };
    const QVector<double> before = bounds();
    form->onChartAxisChanged(dialog[0], dialog[1], dialog[2], dialog[3], dialog[4], dialog[5],
                             dialog[6], dialog[7]);
    const QVector<double> actual = bounds();
    for (int i = 0; i < 8; ++i) {
        const double wanted = expected[i] < 0 ? before[i] : expected[i];
        QVERIFY2(near(actual[i], wanted, 1e-6),
                 qPrintable(QStringLiteral("bound %1: %2, expected %3").arg(i).arg(actual[i]).arg(wanted)));
    }
    QCOMPARE(phase->axisScaleDiv(QwtPlot::xBottom).lowerBound(), actual[0]);

    form->onApparentResPlotAxisXminChanged(0.1);
    QVERIFY(near(rho->axisScaleDiv(QwtPlot::xBottom).upperBound(), 0.1, 1e-12));
    QCOMPARE(rho->axisScaleDiv(QwtPlot::xBottom).lowerBound(), actual[0]);
    form->onTrueResPlotAxisYmaxChanged(8000.0);
    QCOMPARE(depth->axisScaleDiv(QwtPlot::yLeft).lowerBound(), 8000.0);
    QCOMPARE(depth->axisScaleDiv(QwtPlot::yLeft).upperBound(), actual[7]);
}

// The legend lists the shown pairs that have points, in pair order whatever order they arrived
// in, then the model.
void TestImpedance::legendListsShownPairsWithPointsAndTheModel()
{
    auto entries = [this] {
        QStringList texts;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // removed labels
        auto *legend = qobject_cast<QwtLegend *>(form->resistivityPlot()->legend());
        for (const QwtLegendLabel *label : legend->contentsWidget()->findChildren<QwtLegendLabel *>())
            texts.append(label->text().text());
        return texts;
    };
    QCOMPARE(entries(), (QStringList{"ExHy", "EyHx", "Ex2Hy"}));
    form->setShowY(false);
    form->setModelCurve(earthCurve(conductiveMiddle(), 1.0));
    QCOMPARE(entries(), (QStringList{"ExHy", "Ex2Hy", QStringLiteral("模型")}));
    form->setModelCurve({});
    form->onMPMTImpedanceChanged(received[0]);
    QCOMPARE(entries(), (QStringList{"ExHy", "Ex2Hy", QStringLiteral("多极化")}));
}

void TestImpedance::seriesColourIdsNameThePairs_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("title");
    QTest::newRow("0") << 0 << QStringLiteral("ExHy");
    QTest::newRow("1") << 1 << QStringLiteral("EyHx");
    QTest::newRow("2") << 2 << QStringLiteral("Ex2Hy");
    QTest::newRow("3") << 3 << QStringLiteral("多极化");
}

void TestImpedance::seriesColourIdsNameThePairs()
{
    QFETCH(int, id);
    QFETCH(QString, title);
    const QColor orange(255, 140, 0);
    form->onSeriesColorChanged(id, orange);
    form->onSeriesColorChanged(4, Qt::cyan);
    for (QwtPlotItem *item : form->phasePlot()->itemList(QwtPlotItem::Rtti_PlotCurve)) {
        auto *curve = static_cast<QwtPlotCurve *>(item);
        QCOMPARE(curve->symbol()->pen().color() == orange, curve->title().text() == title);
    }
}

QTEST_MAIN(TestImpedance)
#include "tst_Impedance.moc"
