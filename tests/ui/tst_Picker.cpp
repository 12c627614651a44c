// The plot and its curve picker driven by real mouse, wheel and key events through the window
// system (offscreen platform): selection radius, the report of a finished move, masking requests,
// wheel and rubber-band zoom with the way back, and the pictures saved from a plot. Drags of points
// and whole curves are followed through the impedance view's suite.
#define QTEST_QPA_MOUSE_HANDLING
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <qwt_plot_curve.h>
#include <qwt_scale_div.h>
#include <qwt_scale_map.h>

#include "CurveSamples.h"
#include "Graph_LogScaleDraw.h"
#include "Graph_Picker.h"
#include "PlotMouse.h"
#include "QwtPlotGraph.h"

namespace {

// A sounding-like curve: eight frequencies, a decade apart from 1000 Hz down to 1e-4 Hz, over
// resistivities that rise and fall between 20 and 800 ohm-m.
QVector<QPointF> soundingPoints()
{
    const double rho[] = {20.0, 35.0, 80.0, 200.0, 800.0, 450.0, 120.0, 60.0};
    QVector<QPointF> points;
    for (int i = 0; i < 8; ++i)
        points.append(QPointF(std::pow(10.0, 3 - i), rho[i]));
    return points;
}

bool near(double a, double b, double relative)
{
    return std::abs(a - b) <= relative * std::max(std::abs(a), std::abs(b));
}

} // namespace

Q_DECLARE_METATYPE(QwtPlotCurve *)

class TestPicker : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<QwtPlotCurve *>(); }
    void init();
    void cleanup();
    void pressSelectsNearestPointWithinTenPixels_data();
    void pressSelectsNearestPointWithinTenPixels();
    void releaseAfterDragReportsOnceAndClears();
    void clickWithoutDragKeepsPointForDelete();
    void wheelZoomsAboutThePointer_data();
    void wheelZoomsAboutThePointer();
    void rubberBandZoomKeepsInvertedAxisAndDoubleClickOrHomeReturns();
    void savesPngAndSvg();
    void logAxisLabels_data();
    void logAxisLabels();

private:
    QwtPlotGraph *plot = nullptr;
    QwtPlotCurve *curve = nullptr;
};

void TestPicker::init()
{
    plot = new QwtPlotGraph;
    plot->setLogAxis(QwtPlot::xBottom, true);
    plot->setLogAxis(QwtPlot::yLeft);
    plot->setAxisScale(QwtPlot::xBottom, 1e4, 1e-5);
    plot->setAxisScale(QwtPlot::yLeft, 1.0, 1e4);
    curve = new QwtPlotCurve(QStringLiteral("ExHy"));
    curve->setSamples(soundingPoints());
    curve->attach(plot);
    plot->resize(800, 500);
    plot->show();
    QVERIFY(QTest::qWaitForWindowExposed(plot));
    plot->replot();
    plot->picker()->setEditMode(Graph_Picker::ModeSinglePoint);
}

void TestPicker::cleanup()
{
    delete plot;
    plot = nullptr;
}

void TestPicker::pressSelectsNearestPointWithinTenPixels_data()
{
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<int>("expected");
    QTest::newRow("on the point") << QPoint(0, 0) << 3;
    QTest::newRow("8.5 px away") << QPoint(6, -6) << 3;
    QTest::newRow("9.9 px away") << QPoint(0, 9) << 3;
    QTest::newRow("10.6 px away") << QPoint(-8, 7) << -1;
    QTest::newRow("30 px away") << QPoint(30, 0) << -1;
}

// From a selection of point 5: a press within ten pixels of point 3 selects it, farther away it
// clears the selection.
void TestPicker::pressSelectsNearestPointWithinTenPixels()
{
    QFETCH(QPoint, offset);
    QFETCH(int, expected);
    QTest::mouseClick(plot->canvas(), Qt::LeftButton, Qt::NoModifier, pixelOf(plot, soundingPoints()[5]));
    QCOMPARE(plot->picker()->selectedIndex(), 5);
    const QPoint target = pixelOf(plot, soundingPoints()[3]) + offset;
    QTest::mousePress(plot->canvas(), Qt::LeftButton, Qt::NoModifier, target);
    QCOMPARE(plot->picker()->selectedIndex(), expected);
    QCOMPARE(plot->picker()->selectedCurve(), expected < 0 ? nullptr : curve);
    QTest::mouseRelease(plot->canvas(), Qt::LeftButton, Qt::NoModifier, target);
}

void TestPicker::releaseAfterDragReportsOnceAndClears()
{
    QSignalSpy finished(plot, &QwtPlotGraph::signalMoveFinished);
    QSignalSpy changed(plot->picker(), &Graph_Picker::siganl_DataChanged);
    const QPoint from = pixelOf(plot, soundingPoints()[1]);
    dragOnCanvas(plot, from, from + QPoint(0, -30));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(plot->picker()->selectedIndex(), -1);
    QCOMPARE(plot->picker()->selectedCurve(), nullptr);
}

void TestPicker::clickWithoutDragKeepsPointForDelete()
{
    QSignalSpy finished(plot, &QwtPlotGraph::signalMoveFinished);
    QSignalSpy mask(plot, &QwtPlotGraph::signalMaskRequested);
    QTest::mouseClick(plot->canvas(), Qt::LeftButton, Qt::NoModifier, pixelOf(plot, soundingPoints()[6]));
    QCOMPARE(finished.count(), 0);
    QCOMPARE(plot->picker()->selectedIndex(), 6);
    QTest::keyClick(plot->canvas(), Qt::Key_Delete);
    QCOMPARE(mask.count(), 1);
    QCOMPARE(mask.first().at(0).value<QwtPlotCurve *>(), curve);
    QCOMPARE(mask.first().at(1).toInt(), 6);
    QCOMPARE(curveSamples(*curve), soundingPoints());
}

void TestPicker::wheelZoomsAboutThePointer_data()
{
    QTest::addColumn<int>("delta");
    QTest::addColumn<double>("spanFactor");
    QTest::newRow("in") << 120 << QwtPlotGraph::kWheelZoomStep;
    QTest::newRow("out") << -120 << 1.0 / QwtPlotGraph::kWheelZoomStep;
}

// Log axes: the decades spanned shrink (or grow) by the step about the pointer: each bound moves
// towards (or away from) the pointer's pixel by the step, on the scale as it was drawn.
void TestPicker::wheelZoomsAboutThePointer()
{
    QFETCH(int, delta);
    QFETCH(double, spanFactor);
    const QPoint pointer(300, 200);
    const QwtScaleMap xMap = plot->canvasMap(QwtPlot::xBottom);
    const QwtScaleMap yMap = plot->canvasMap(QwtPlot::yLeft);
    auto scaled = [spanFactor](const QwtScaleMap &map, double centre, double pixel) {
        return map.invTransform(centre + (pixel - centre) * spanFactor);
    };
    QWheelEvent wheel(QPointF(pointer), QPointF(plot->canvas()->mapToGlobal(pointer)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot->canvas(), &wheel);
    const QwtScaleDiv &x = plot->axisScaleDiv(QwtPlot::xBottom);
    const QwtScaleDiv &y = plot->axisScaleDiv(QwtPlot::yLeft);
    QVERIFY(near(std::log10(x.lowerBound() / x.upperBound()), 9.0 * spanFactor, 1e-9));
    QVERIFY(near(std::log10(y.upperBound() / y.lowerBound()), 4.0 * spanFactor, 1e-9));
    QVERIFY(near(x.lowerBound(), scaled(xMap, pointer.x(), xMap.p1()), 1e-9));
    QVERIFY(near(x.upperBound(), scaled(xMap, pointer.x(), xMap.p2()), 1e-9));
    QVERIFY(near(y.lowerBound(), scaled(yMap, pointer.y(), yMap.p1()), 1e-9));
    QVERIFY(near(y.upperBound(), scaled(yMap, pointer.y(), yMap.p2()), 1e-9));
    QVERIFY(plot->isZoomed());
}

void TestPicker::rubberBandZoomKeepsInvertedAxisAndDoubleClickOrHomeReturns()
{
    plot->picker()->setEditMode(Graph_Picker::ModeNone);
    const QPoint corner1 = pixelOf(plot, QPointF(100.0, 1000.0));
    const QPoint corner2 = pixelOf(plot, QPointF(0.01, 10.0));
    dragOnCanvas(plot, corner1, corner2);
    const QwtScaleDiv &x = plot->axisScaleDiv(QwtPlot::xBottom);
    const QwtScaleDiv &y = plot->axisScaleDiv(QwtPlot::yLeft);
    QVERIFY2(near(x.lowerBound(), 100.0, 0.03) && near(x.upperBound(), 0.01, 0.03),
             qPrintable(QStringLiteral("x %1 .. %2").arg(x.lowerBound()).arg(x.upperBound())));
    QVERIFY2(near(y.lowerBound(), 10.0, 0.03) && near(y.upperBound(), 1000.0, 0.03),
             qPrintable(QStringLiteral("y %1 .. %2").arg(y.lowerBound()).arg(y.upperBound())));
    QCOMPARE(curveSamples(*curve), soundingPoints());

    QTest::mouseDClick(plot->canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(plot->axisScaleDiv(QwtPlot::xBottom).lowerBound(), 1e4);
    QCOMPARE(plot->axisScaleDiv(QwtPlot::xBottom).upperBound(), 1e-5);
    QCOMPARE(plot->axisScaleDiv(QwtPlot::yLeft).upperBound(), 1e4);
    QVERIFY(!plot->isZoomed());

    plot->zoomAt(true, QPoint(100, 100));
    QTest::keyClick(plot->canvas(), Qt::Key_Home);
    QCOMPARE(plot->axisScaleDiv(QwtPlot::xBottom).lowerBound(), 1e4);
    QVERIFY(!plot->isZoomed());
}

void TestPicker::savesPngAndSvg()
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("plot.png"));
    const QString svg = dir.filePath(QStringLiteral("plot.svg"));
    QVERIFY(plot->saveImage(png));
    QVERIFY(plot->saveImage(svg));
    QCOMPARE(QImage(png).size(), plot->size());
    QFile svgFile(svg);
    QVERIFY(svgFile.open(QIODevice::ReadOnly));
    QVERIFY(svgFile.readAll().contains("<svg"));
    QVERIFY(!plot->saveImage(dir.filePath(QStringLiteral("missing/plot.png"))));
}

void TestPicker::logAxisLabels_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("label");
    QTest::newRow("1e-4") << 1e-4 << "10<sup>-4</sup>";
    QTest::newRow("0.001") << 0.001 << "0.001";
    QTest::newRow("10000") << 10000.0 << "10000";
    QTest::newRow("1e5") << 1e5 << "10<sup>5</sup>";
    QTest::newRow("2e5 is no decade") << 2e5 << "200000";
}

void TestPicker::logAxisLabels()
{
    QFETCH(double, value);
    QFETCH(QString, label);
    QCOMPARE(Graph_LogScaleDraw().label(value).text(), label);
}

QTEST_MAIN(TestPicker)
#include "tst_Picker.moc"
