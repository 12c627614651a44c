// The section view reached through the wiring of the main window: the hub publishes the depth
// section and a 2-D inversion section of a line, the colour-scale dialog sends its maps, and the
// pictures the view draws are read back pixel by pixel.

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <cmath>
#include <gsl/gsl_errno.h>

#include <qwt_plot.h>
#include <qwt_scale_engine.h>
#include <qwt_transform.h>
#include <qwt_scale_widget.h>

#include "CurveProject.h"
#include "Dialog_Huebar.h"
#include "Form_2DInversion.h"
#include "Graph_IsoLineData.h"
#include "LayeredEarth.h"
#include "LibDORE.h"
#include "QwtPlotGraph.h"
#include "ScriptedOperatorDialogs.h"
#include "SectionColorMap.h"
#include "TreeModel_Index.h"

using Gradient = QMap<float, QColor>;

// Six stations 10 apart on line 1, each with an Ex/Hy curve of 50 records over its own two-layer
// earth (a conductive cover over a resistive basement), opened by the hub and wired to a section
// view and a colour-scale dialog as the main window wires them.
class SectionFixture {
    QTemporaryDir dir;  // first in, last out
    QString previousDir = QDir::currentPath();
    bool valid = false;

public:
    LibDORE db;
    ScriptedOperatorDialogs dialogs;
    TreeModel_Index hub{&dialogs};
    Form_2DInversion view;
    Dialog_Huebar *colourDialog = nullptr;

    SectionFixture()
    {
        const QString projectFile = dir.filePath("section.HMT");
        valid = CurveProject::write(projectFile, stations()) && QDir::setCurrent(dir.path()) && db.open(projectFile);
        if (!valid)
            return;
        writeColourScale();
        colourDialog = new Dialog_Huebar(&view);
        hub.openProject(dir.path(), &db);
        QObject::connect(&hub, &TreeModel_Index::signal2DISOGraphChanged, &view,
                         &Form_2DInversion::on_signal2DISOGraphChanged);
        QObject::connect(colourDialog, &Dialog_Huebar::signal_HuebarChanged, &view,
                         &Form_2DInversion::on_signalHuebarChanged);
        QObject::connect(&hub, &TreeModel_Index::signal_StaticResistivity, colourDialog,
                         &Dialog_Huebar::onStaticResistivity);
        view.resize(900, 560);
        view.show();
    }
    ~SectionFixture()
    {
        hub.clearModel();
        QDir::setCurrent(previousDir);
    }
    bool isValid() const { return valid; }

    // Station s's cover: 20 + s ohm-m, 150 m thick, over 800 ohm-m.
    static QList<CurveStation> stations()
    {
        QList<CurveStation> list;
        for (int station = 10; station <= 60; station += 10) {
            const LayeredEarth earth({{20.0 + station, 150.0}}, 800.0);
            QVector<OneFreqImpedance> curve;
            for (int k = 49; k >= 0; --k) {
                const double f = 1000.0 * std::pow(10.0, -k / 10.0);
                curve.append({0, f, 0.95, earth.apparentResistivity(f), earth.phaseDegrees(f), 0, 0});
            }
            list.append({1, float(station), curve, {}});
        }
        return list;
    }
    // A green-only scale, as a crew's "ColorScales" folder holds them.
    static void writeColourScale()
    {
        QDir().mkpath("ColorScales");
        QFile file("ColorScales/greens.clr");
        if (file.open(QIODevice::WriteOnly))
            file.write("greens\n0 0 40 0\n100 0 255 0\n");
    }

    bool publishDepthSection()
    {
        InversionParam param;
        param.topography = {{10, 40}, {30, 90}, {60, 20}};
        param.minTopo = -1500;
        return hub.runLineSection(0, param);
    }
    bool publishInversionSection()
    {
        QDir().mkpath("nlcg");
        QFile::remove("nlcg/MTNLCG.exe");
        return QFile::copy(NLCG_STANDIN, "nlcg/MTNLCG.exe")
               && QFile::setPermissions("nlcg/MTNLCG.exe", QFile::ReadOwner | QFile::ExeOwner)
               && hub.runNLCG(0);
    }

    QImage picture() { return view.sectionPlot()->grab().toImage(); }
    // The canvas pixel (relative to the canvas) in plot coordinates and in the picture.
    QPointF plotPoint(const QPoint &canvasPixel) const
    {
        const QwtPlot *plot = view.sectionPlot();
        return {plot->canvasMap(QwtPlot::xBottom).invTransform(canvasPixel.x()),
                plot->canvasMap(QwtPlot::yLeft).invTransform(canvasPixel.y())};
    }
    QPoint picturePixel(const QPoint &canvasPixel) const
    {
        return view.sectionPlot()->canvas()->mapTo(view.sectionPlot(), canvasPixel);
    }
    QPoint canvasPixelAt(double x, double y) const
    {
        const QwtPlot *plot = view.sectionPlot();
        return QPoint(qRound(plot->canvasMap(QwtPlot::xBottom).transform(x)),
                      qRound(plot->canvasMap(QwtPlot::yLeft).transform(y)));
    }
};

static bool isDark(const QColor &c)
{
    return c.red() < 90 && c.green() < 90 && c.blue() < 90;
}

class TestSectionView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        gsl_set_error_handler_off();
        qRegisterMetaType<Gradient>();
    }
    void publishedSectionsReachTheViewAndAreDrawn_data();
    void publishedSectionsReachTheViewAndAreDrawn();
    void greyLevelFollowsTheLinearOrLogScale_data();
    void greyLevelFollowsTheLinearOrLogScale();
    void colourScaleFromTheFolderColoursTheSection();
    void sectionsWithoutAPairOfProfilesShowOnlyBackground_data();
    void sectionsWithoutAPairOfProfilesShowOnlyBackground();
};

void TestSectionView::publishedSectionsReachTheViewAndAreDrawn_data()
{
    QTest::addColumn<bool>("inversion");
    QTest::newRow("depth section of the line") << false;
    QTest::newRow("conjugate-gradient inversion section") << true;
}

// The section arrives whole, the axes span it with the surface at the top, and the picture runs
// without jumps between stations, carries the topography line and the stations' marks.
void TestSectionView::publishedSectionsReachTheViewAndAreDrawn()
{
    QFETCH(bool, inversion);
    SectionFixture f;
    QVERIFY(f.isValid());
    QVERIFY(inversion ? f.publishInversionSection() : f.publishDepthSection());
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    const Graph_IsoLineData *raster = f.view.isoLineData();
    QVERIFY(raster);
    const QList<DataType_ResultData> published = f.hub.latestSection();
    QCOMPARE(raster->profiles().size(), published.size());
    QCOMPARE(raster->profiles().first().depth, published.first().depth);
    QCOMPARE(raster->profiles().last().value, published.last().value);
    const QwtPlot *plot = f.view.sectionPlot();
    QCOMPARE(plot->axisInterval(QwtPlot::xBottom).minValue(), 10.0);
    QCOMPARE(plot->axisInterval(QwtPlot::xBottom).maxValue(), 60.0);
    QVERIFY(f.canvasPixelAt(30, raster->interval(Qt::YAxis).maxValue()).y()
            < f.canvasPixelAt(30, raster->interval(Qt::YAxis).minValue()).y());
    QVERIFY(!plot->axisTitle(QwtPlot::yLeft).text().isEmpty());
    QVERIFY(!plot->axisTitle(QwtPlot::yRight).text().isEmpty());
    QCOMPARE(f.colourDialog->findChild<QLineEdit *>("lineEdit_Min")->text().toFloat(),
             float(raster->interval(Qt::ZAxis).minValue()));

    // Along a row in the middle of the section, from the second station to the fifth, no two
    // neighbouring pixels differ by more than a few grey levels: the values run smoothly across.
    f.view.on_signalHuebarChanged({{0.0f, Qt::black}, {1.0f, Qt::white}});
    const QImage image = f.picture();
    const double depth = raster->interval(Qt::YAxis).minValue() * 0.3 + raster->interval(Qt::YAxis).maxValue() * 0.7;
    const int row = f.canvasPixelAt(20, depth).y();
    int largestStep = 0;
    for (int x = f.canvasPixelAt(20, depth).x(); x < f.canvasPixelAt(50, depth).x(); ++x) {
        const QColor a = image.pixelColor(f.picturePixel(QPoint(x, row)));
        const QColor b = image.pixelColor(f.picturePixel(QPoint(x + 1, row)));
        QVERIFY2(a != SectionColorMap::backgroundColour(), qPrintable(QString("no data at pixel %1").arg(x)));
        largestStep = qMax(largestStep, qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()));
    }
    QVERIFY2(largestStep <= 12, qPrintable(QString("step of %1 levels").arg(largestStep)));
    // The topography line is drawn dark over the section at its spline's elevation.
    const QPoint surface = f.canvasPixelAt(25, raster->elevationAt(25));
    QVERIFY(isDark(image.pixelColor(f.picturePixel(surface))));
}

void TestSectionView::greyLevelFollowsTheLinearOrLogScale_data()
{
    QTest::addColumn<bool>("logarithmic");
    QTest::newRow("linear") << false;
    QTest::newRow("logarithmic") << true;
}

// With a black-to-white map the grey level of a pixel is 255 times the place of its resistivity
// between the section's lowest and highest value, in resistivity or in log10 resistivity.
void TestSectionView::greyLevelFollowsTheLinearOrLogScale()
{
    QFETCH(bool, logarithmic);
    SectionFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.publishDepthSection());
    f.view.on_signalHuebarChanged({{0.0f, Qt::black}, {1.0f, Qt::white}});
    f.view.setLogColourScale(logarithmic);
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    const QwtPlot *plot = f.view.sectionPlot();
    // The scale engine hands out a copy of its transformation that the caller owns.
    const std::unique_ptr<QwtTransform> transform(plot->axisScaleEngine(QwtPlot::yRight)->transformation());
    QCOMPARE(transform != nullptr, logarithmic);
    const QImage image = f.picture();
    const Graph_IsoLineData *raster = f.view.isoLineData();
    const double lo = raster->interval(Qt::ZAxis).minValue();
    const double hi = raster->interval(Qt::ZAxis).maxValue();
    for (double x : {15.0, 33.0, 47.0}) {
        for (double share : {0.2, 0.5, 0.8}) {
            const double y = raster->interval(Qt::YAxis).minValue() * share
                             + raster->interval(Qt::YAxis).maxValue() * (1 - share);
            const QPoint pixel = f.canvasPixelAt(x, y);
            const QPointF at = f.plotPoint(pixel);
            const double v = raster->value(at.x(), at.y());
            const double place = logarithmic ? std::log(v / lo) / std::log(hi / lo) : (v - lo) / (hi - lo);
            const int grey = image.pixelColor(f.picturePixel(pixel)).red();
            QVERIFY2(qAbs(grey - 255 * place) <= 3,
                     qPrintable(QString("at %1, %2: value %3, grey %4, expected %5").arg(x).arg(y).arg(v).arg(grey).arg(255 * place)));
        }
    }
}

// The operator picks the folder's green scale and presses OK: the section turns green.
void TestSectionView::colourScaleFromTheFolderColoursTheSection()
{
    SectionFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.publishDepthSection());
    auto *combo = f.colourDialog->findChild<QComboBox *>("comboBox");
    QCOMPARE(combo->count(), 1);
    combo->setCurrentIndex(-1);
    combo->setCurrentIndex(0);
    f.colourDialog->show();
    QTest::mouseClick(f.colourDialog->findChild<QPushButton *>("pushButton_ok"), Qt::LeftButton);
    QCOMPARE(f.view.colourMap(), (Gradient{{0.0f, QColor(0, 40, 0)}, {1.0f, QColor(0, 255, 0)}}));
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    const QImage image = f.picture();
    const QColor middle = image.pixelColor(f.picturePixel(f.canvasPixelAt(35, -700)));
    QVERIFY2(middle.red() == 0 && middle.blue() == 0 && middle.green() >= 40, qPrintable(middle.name()));
}

void TestSectionView::sectionsWithoutAPairOfProfilesShowOnlyBackground_data()
{
    QTest::addColumn<QList<DataType_ResultData>>("section");
    const DataType_ResultData one{5, {-10, -20, -30}, {10, 20, 30}};
    QTest::newRow("one station") << QList<DataType_ResultData>{one};
    QTest::newRow("no station") << QList<DataType_ResultData>{};
    QTest::newRow("stations without layers") << QList<DataType_ResultData>{{1, {}, {}}, {2, {}, {}}};
}

void TestSectionView::sectionsWithoutAPairOfProfilesShowOnlyBackground()
{
    QFETCH(QList<DataType_ResultData>, section);
    Form_2DInversion view;
    view.resize(600, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.on_signal2DISOGraphChanged(section, {{5, 0}}, {}, true);
    const QWidget *canvas = view.sectionPlot()->canvas();
    const QImage image = view.sectionPlot()->grab().toImage();
    const QPoint middle = canvas->mapTo(view.sectionPlot(), canvas->rect().center());
    QCOMPARE(image.pixelColor(middle), SectionColorMap::backgroundColour());
}

QTEST_MAIN(TestSectionView)
#include "tst_SectionView.moc"
