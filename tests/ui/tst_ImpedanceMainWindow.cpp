// A curve edit from the mouse to the project file through the main window: the project opened
// with "打开", a recording recomputed and the station shown from the project tree, the Y and Z
// directions switched off on the ribbon, one Ex-Hy resistivity point dragged on the impedance
// view, "保存" clicked, and the station's curves read back from the file through a second
// connection.
#define QTEST_QPA_MOUSE_HANDLING
#include <QCheckBox>
#include <QComboBox>
#include <QTreeView>
#include <cmath>
#include <gsl/gsl_errno.h>

#include "CurveBlob.h"
#include "Form_Impedance.h"
#include "Form_Project.h"
#include "MainWindowFixture.h"
#include "PlotMouse.h"
#include "QwtPlotGraph.h"
#include "TreeModel_Index.h"

namespace {

// Station 1's Ex-Hy, Ey-Hx and Ex2-Hy curves as the file holds them.
QList<QVector<OneFreqImpedance>> storedCurves(const WindowFixture &f)
{
    const QVariantList row = f.rows("SELECT Data_ImpedanceEx, Data_ImpedanceEy, Data_ImpedanceEx2 "
                                    "FROM Data_Station WHERE StationNum = 1").value(0);
    QList<QVector<OneFreqImpedance>> curves;
    for (const QVariant &blob : row)
        curves.append(CurveBlob::decode(blob.toByteArray()));
    return curves;
}

bool identical(const OneFreqImpedance &a, const OneFreqImpedance &b)
{
    return a.tag == b.tag && a.freq == b.freq && a.coherency == b.coherency && a.rho == b.rho
           && a.phase == b.phase && a.bostickRho == b.bostickRho && a.bostickDepth == b.bostickDepth;
}

bool near(double a, double b) { return std::abs(a / b - 1.0) < 1e-12; }

} // namespace

class TestImpedanceMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { gsl_set_error_handler_off(); }
    void draggedPointIsTheOnlyChangeSaved();
};

void TestImpedanceMainWindow::draggedPointIsTheOnlyChangeSaved()
{
    WindowFixture f;
    QVERIFY(f.valid && f.openProject());
    f.controls()->recalculate->setCurrentIndex(1);   // 重新计算阻抗
    f.controls()->fftLength->setCurrentIndex(0);     // 512 samples
    TreeModel_Index *hub = f.window->hub();
    const QModelIndex station = hub->index(0, 0, hub->index(0, 0));
    f.window->projectForm()->on_treeView_doubleClicked(hub->index(0, 0, station));
    f.window->projectForm()->on_treeView_doubleClicked(station);
    QCOMPARE(f.window->currentForm(), 0);
    const QList<QVector<OneFreqImpedance>> before = storedCurves(f);
    QCOMPARE(before.size(), 3);
    QVERIFY(before[0].size() > 10);

    // Over a layered earth the three pairs lie on top of each other: Ex-Hy is edited alone.
    QTest::mouseClick(f.controls()->showY, Qt::LeftButton);
    QTest::mouseClick(f.controls()->showZ, Qt::LeftButton);
    QwtPlotGraph *plot = f.window->impedanceView()->resistivityPlot();
    const int k = before[0].size() / 2;
    const QPoint from = pixelOf(plot, QPointF(before[0][k].freq, before[0][k].rho));
    const QPoint to = from - QPoint(0, 40);
    dragOnCanvas(plot, from, to);
    const double dragged = plot->invTransform(QwtPlot::yLeft, to.y());
    QVERIFY(f.controls()->fileSave->isEnabled());
    f.controls()->fileSave->trigger();
    QVERIFY(!f.controls()->fileSave->isEnabled());

    const QList<QVector<OneFreqImpedance>> after = storedCurves(f);
    QCOMPARE(after.size(), 3);
    for (int c = 0; c < 3; ++c) {
        QCOMPARE(after[c].size(), before[c].size());
        for (int i = 0; i < before[c].size(); ++i)
            if (c != 0 || i != k)
                QVERIFY2(identical(after[c][i], before[c][i]),
                         qPrintable(QStringLiteral("curve %1 point %2 changed").arg(c).arg(i)));
    }
    const OneFreqImpedance &point = after[0][k];
    QVERIFY(near(point.rho, dragged));
    QVERIFY(point.rho > 1.5 * before[0][k].rho);
    QCOMPARE(point.freq, before[0][k].freq);
    QCOMPARE(point.phase, before[0][k].phase);
    QVERIFY(near(point.bostickRho, (90.0 / point.phase - 1.0) * point.rho));
    QVERIFY(near(point.bostickDepth, 356.0 * std::sqrt(point.rho / point.freq)));
}

QTEST_MAIN(TestImpedanceMainWindow)
#include "tst_ImpedanceMainWindow.moc"
