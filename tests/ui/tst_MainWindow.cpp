// The main window driven through its real widgets under the offscreen platform: the ribbon's
// initial states, opening, closing and creating projects, the project tree's check boxes and
// double clicks, the exclusive switches, the processing settings the combos give, and a curve
// edit dragged on the impedance view, saved and read back from the file.
#define QTEST_QPA_MOUSE_HANDLING

#include <QCheckBox>
#include <QComboBox>
#include <QMimeData>
#include <QStackedWidget>
#include <cmath>
#include <gsl/gsl_errno.h>

#include "CurveBlob.h"
#include "Form_Impedance.h"
#include "MainWindowFixture.h"
#include "PlotMouse.h"
#include "QwtPlotGraph.h"
#include "TreeModel_Index.h"

Q_DECLARE_METATYPE(QList<int>)

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void initialStates_data();
    void initialStates();
    void openingFillsTheTreeAndEntersTheProjectState();
    void openDialogStartsWhereTheHistoryPoints_data();
    void openDialogStartsWhereTheHistoryPoints();
    void cancelledOpenChangesNothing();
    void checkingAStationWritesUseForItAndItsRecordings();
    void doubleClickingAStationShowsItsCurves();
    void draggedPointIsTheOnlyChangeSaved();
    void stackingBoxesKeepOneCheckedAroundTheCycle_data();
    void stackingBoxesKeepOneCheckedAroundTheCycle();
    void recalculateFillsEveryField_data();
    void recalculateFillsEveryField();
    void pointAndLineMoveAreExclusive();
    void closingResetsTitleAndStates();
    void unsavedEditsAreAskedAboutBeforeClosing_data();
    void unsavedEditsAreAskedAboutBeforeClosing();
    void newProjectIsCreatedEmptyAndOpened();
    void droppedProjectFileIsOpened_data();
    void droppedProjectFileIsOpened();
};

namespace {

QModelIndex stationIndex(TreeModel_Index *hub, int line, int station)
{
    return hub->index(station, 0, hub->index(line, 0));
}

QList<bool> stackingChecks(MainRibbonControls *c)
{
    return {c->cohThreshold->isChecked(), c->medRobust->isChecked(), c->mestRobust->isChecked(),
            c->regression->isChecked()};
}

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

void TestMainWindow::initTestCase()
{
    gsl_set_error_handler_off();
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
}

void TestMainWindow::initialStates_data()
{
    // value: the check state of a check box or checkable action (-1 when not checkable), or the
    // index of a combo box.
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("value");
    QTest::newRow("合并文件") << "actionFileMerge" << true << -1;
    QTest::newRow("打开") << "actionOpen" << true << -1;
    QTest::newRow("保存") << "actionFileSave" << false << -1;
    QTest::newRow("数据导出") << "actionFileExport" << false << -1;
    QTest::newRow("Close") << "actionFileClose" << false << -1;
    QTest::newRow("FFT长度") << "comboFFTLength" << true << 3;
    QTest::newRow("趋势校正") << "comboTrendCorrection" << true << 1;
    QTest::newRow("FFT个数") << "comboFFTCount" << true << 0;
    QTest::newRow("频率个数") << "comboFrequencyCount" << true << 0;
    QTest::newRow("阻抗计算") << "comboRecalculate" << true << 0;
    QTest::newRow("计算模式") << "comboComputeMode" << true << 0;
    QTest::newRow("磁场互换") << "actionMagneticSwap" << false << -1;
    QTest::newRow("阻抗互换") << "actionSwapImp" << false << 0;
    QTest::newRow("数据平滑") << "actionSmooth" << false << -1;
    QTest::newRow("点移动") << "checkPointMove" << true << 1;
    QTest::newRow("线移动") << "checkLineMove" << true << 0;
    QTest::newRow("显示X方向") << "checkShowX" << true << 1;
    QTest::newRow("显示Y方向") << "checkShowY" << true << 1;
    QTest::newRow("显示Z方向") << "checkShowZ" << true << 1;
    QTest::newRow("相干度门限") << "checkCohThreshold" << true << 1;
    QTest::newRow("中值稳健") << "checkMedRobust" << true << 0;
    QTest::newRow("M估计稳健") << "checkMestRobust" << true << 0;
    QTest::newRow("色谱调整") << "actionColorSetting" << true << -1;
    QTest::newRow("三维设置") << "action3DInvSetting" << true << -1;
    QTest::newRow("quick 保存") << "actionQuickSave" << false << -1;
    QTest::newRow("quick 关闭") << "actionQuickClose" << false << -1;
    QTest::newRow("新建") << "actionNew" << true << -1;
}

void TestMainWindow::initialStates()
{
    QFETCH(QString, name);
    QFETCH(bool, enabled);
    QFETCH(int, value);
    WindowFixture f;
    QObject *control = f.window->findChild<QObject *>(name);
    QVERIFY2(control, qPrintable(name));
    if (auto *action = qobject_cast<QAction *>(control)) {
        QCOMPARE(action->isEnabled(), enabled);
        if (value >= 0)
            QCOMPARE(int(action->isChecked()), value);
    } else if (auto *box = qobject_cast<QCheckBox *>(control)) {
        QCOMPARE(box->isEnabled(), enabled);
        QCOMPARE(int(box->isChecked()), value);
    } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
        QCOMPARE(combo->isEnabled(), enabled);
        QCOMPARE(combo->currentIndex(), value);
    } else {
        QFAIL("not an action, check box or combo box");
    }
}

void TestMainWindow::openingFillsTheTreeAndEntersTheProjectState()
{
    WindowFixture f;
    QVERIFY(f.valid);
    QVERIFY(f.openProject());
    TreeModel_Index *hub = f.window->hub();
    QCOMPARE(hub->rowCount(), 2);
    QCOMPARE(hub->index(0, 0).data().toString(), QString("1"));
    QCOMPARE(hub->index(1, 0).data().toString(), QString("2"));
    QCOMPARE(hub->rowCount(hub->index(0, 0)), 2);
    QCOMPARE(stationIndex(hub, 0, 1).data().toString(), QString("2"));
    QCOMPARE(stationIndex(hub, 1, 0).data().toString(), QString("5"));
    QCOMPARE(hub->rowCount(stationIndex(hub, 1, 0)), 1);
    QCOMPARE(hub->index(0, 0, stationIndex(hub, 1, 0)).data().toInt(), 2400);
    QCOMPARE(f.window->windowTitle(), QString("多极化大地电磁系统处理软件 -- ") + f.projectFile);
    MainRibbonControls *c = f.controls();
    QVERIFY(!c->open->isEnabled() && !c->fileMerge->isEnabled());
    QVERIFY(c->fileClose->isEnabled() && c->swapImpedance->isEnabled() && c->smooth->isEnabled());
    QVERIFY(!c->fileSave->isEnabled() && !c->fileExport->isEnabled());
    QSettings history(f.path("history.ini"), QSettings::IniFormat);
    QCOMPARE(history.value("historypath").toString(), f.projectFile);
}

void TestMainWindow::openDialogStartsWhereTheHistoryPoints_data()
{
    QTest::addColumn<int>("history");  // 0 none, 1 a missing file, 2 the survey's project
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("inProjectFolder");
    QTest::newRow("no history") << 0 << " " << false;
    QTest::newRow("history names a missing file") << 1 << " " << false;
    QTest::newRow("history names an existing file") << 2 << "打开Vardex文件" << true;
}

void TestMainWindow::openDialogStartsWhereTheHistoryPoints()
{
    QFETCH(int, history);
    QFETCH(QString, title);
    QFETCH(bool, inProjectFolder);
    WindowFixture f;
    if (history > 0)
        ProjectHistory(f.path("history.ini"))
            .setHistoryPath(history == 1 ? f.path("gone/old.HMT") : f.projectFile);
    f.controls()->open->trigger();
    const QList<ScriptedOperatorDialogs::Call> calls = f.dialogs.callsOf("openFileName");
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first().title, title);
    QCOMPARE(calls.first().text, QString("Vardex文件(*.HMT)"));
    QCOMPARE(calls.first().folder, inProjectFolder ? QFileInfo(f.projectFile).absolutePath() : QString());
}

void TestMainWindow::cancelledOpenChangesNothing()
{
    WindowFixture f;
    const QString title = f.window->windowTitle();
    f.controls()->open->trigger();  // the script has no answer: the operator cancels
    QVERIFY(!f.window->isProjectOpen());
    QCOMPARE(f.window->windowTitle(), title);
    QVERIFY(f.controls()->open->isEnabled() && !f.controls()->fileClose->isEnabled());
    QCOMPARE(f.window->hub()->rowCount(), 0);
    QVERIFY(!QSettings(f.path("history.ini"), QSettings::IniFormat).contains("historypath"));
    QVERIFY(f.dialogs.callsOf("critical").isEmpty());
}

void TestMainWindow::checkingAStationWritesUseForItAndItsRecordings()
{
    WindowFixture f;
    QVERIFY(f.openProject());
    QTreeView *tree = f.window->projectForm()->treeView();
    const QModelIndex station2 = stationIndex(f.window->hub(), 0, 1);
    tree->expand(station2.parent());
    tree->setCurrentIndex(station2);
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Space);
    QCOMPARE(station2.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    const QString station = "SELECT s.Use, r.Use FROM Data_Station s JOIN Data_SampleData r "
                            "ON r.Data_StationID = s.ID WHERE s.StationNum = %1";
    QCOMPARE(f.rows(station.arg(2)), QList<QVariantList>({{0, 0}}));
    QCOMPARE(f.rows(station.arg(1)), QList<QVariantList>({{1, 1}}));
    QTest::keyClick(tree, Qt::Key_Space);
    QCOMPARE(f.rows(station.arg(2)), QList<QVariantList>({{1, 1}}));
}

void TestMainWindow::doubleClickingAStationShowsItsCurves()
{
    WindowFixture f;
    QVERIFY(f.openProject());
    f.controls()->recalculate->setCurrentIndex(1);  // 重新计算阻抗
    f.controls()->fftLength->setCurrentIndex(0);    // 512 samples, so 8 s give 30 segments
    TreeModel_Index *hub = f.window->hub();
    const QModelIndex station1 = stationIndex(hub, 0, 0);
    f.doubleClickInTree(hub->index(0, 0, station1));
    QCOMPARE(f.window->currentForm(), 1);
    QVERIFY2(f.dialogs.callsOf("critical").isEmpty(), qPrintable(f.dialogs.calls.value(0).text));

    QSignalSpy exHy(hub, &TreeModel_Index::ExHyImpedanceChanged);
    f.doubleClickInTree(station1);
    QCOMPARE(f.window->currentForm(), 0);
    QCOMPARE(exHy.size(), 1);
    const auto curve = exHy.first().first().value<QVector<OneFreqImpedance>>();
    QVERIFY(curve.size() > 5);
    QVERIFY(curve.first().freq < curve.last().freq);
    const QVector<OneFreqImpedance> shown =
        f.window->impedanceView()->editedCurve(Form_Impedance::PairExHy);
    QCOMPARE(shown.size(), curve.size());
    QCOMPARE(f.window->impedanceView()->stationTitle(), QString("Station 1"));
}

// A recording recomputed, the station shown, Y and Z switched off on the ribbon, one Ex-Hy point
// dragged and "保存" clicked: in the file only that point has changed, by the formulas.
void TestMainWindow::draggedPointIsTheOnlyChangeSaved()
{
    WindowFixture f;
    QVERIFY(f.valid && f.openProject());
    f.controls()->recalculate->setCurrentIndex(1);   // 重新计算阻抗
    f.controls()->fftLength->setCurrentIndex(0);     // 512 samples
    TreeModel_Index *hub = f.window->hub();
    const QModelIndex station = stationIndex(hub, 0, 0);
    f.doubleClickInTree(hub->index(0, 0, station));
    f.doubleClickInTree(station);
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
    QTest::keyClick(f.window.get(), Qt::Key_S, Qt::ControlModifier);
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

void TestMainWindow::stackingBoxesKeepOneCheckedAroundTheCycle_data()
{
    // clicks: positions of the boxes clicked in turn (0 coherency, 1 median, 2 M-estimation, 3 the
    // regression beside them), starting from the initial state with coherency checked.
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QList<bool>>("checked");
    QTest::addColumn<QList<int>>("emitted");
    QTest::newRow("check median") << QList<int>{1} << QList<bool>{false, true, false, false} << QList<int>{2};
    QTest::newRow("check M-estimation") << QList<int>{2} << QList<bool>{false, false, true, false} << QList<int>{3};
    QTest::newRow("uncheck coherency checks median")
        << QList<int>{0} << QList<bool>{false, true, false, false} << QList<int>{2};
    QTest::newRow("uncheck median checks M-estimation")
        << QList<int>{1, 1} << QList<bool>{false, false, true, false} << QList<int>{2, 3};
    QTest::newRow("uncheck M-estimation wraps to coherency")
        << QList<int>{2, 2} << QList<bool>{true, false, false, false} << QList<int>{3, 1};
    QTest::newRow("regression leaves the stacking boxes")
        << QList<int>{3} << QList<bool>{true, false, false, true} << QList<int>{7};
    QTest::newRow("regression cleared returns to the stacking method")
        << QList<int>{2, 3, 3} << QList<bool>{false, false, true, false} << QList<int>{3, 7, 3};
    QTest::newRow("a stacking method chosen ends the regression")
        << QList<int>{3, 1} << QList<bool>{false, true, false, false} << QList<int>{7, 2};
    QTest::newRow("the cycle also ends the regression")
        << QList<int>{3, 0} << QList<bool>{false, true, false, false} << QList<int>{7, 2};
}

void TestMainWindow::stackingBoxesKeepOneCheckedAroundTheCycle()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QList<bool>, checked);
    QFETCH(QList<int>, emitted);
    WindowFixture f;
    MainRibbonControls *c = f.controls();
    const QList<QCheckBox *> boxes = {c->cohThreshold, c->medRobust, c->mestRobust, c->regression};
    QSignalSpy spy(f.window.get(), &MainWindow::signal_StackedMethodChanged);
    for (int position : clicks)
        QTest::mouseClick(boxes.at(position), Qt::LeftButton);
    QCOMPARE(stackingChecks(c), checked);
    QList<int> methods;
    for (const QList<QVariant> &arguments : spy)
        methods << arguments.first().toInt();
    QCOMPARE(methods, emitted);
    QCOMPARE(f.window->hub()->estimator(), emitted.last());
}

void TestMainWindow::recalculateFillsEveryField_data()
{
    QTest::addColumn<QList<int>>("indexes");  // FFT长度, 趋势校正, FFT个数, 频率个数, 阻抗计算, 计算模式
    QTest::addColumn<float>("fftLength");
    QTest::addColumn<int>("fftCount");
    QTest::addColumn<bool>("trend");
    QTest::addColumn<bool>("tensor");
    QTest::addColumn<bool>("recompute");
    QTest::addColumn<int>("density");
    QTest::newRow("initial") << QList<int>{3, 1, 0, 0, 0, 0} << 16384.0f << 30 << false << false << false << 0;
    QTest::newRow("512, corrected, 50, 12 per decade, recompute, tensor")
        << QList<int>{0, 0, 1, 1, 1, 1} << 512.0f << 50 << true << true << true << 1;
    QTest::newRow("131072, all data, 20 per decade, multi-polarisation")
        << QList<int>{6, 1, 2, 3, 0, 2} << 131072.0f << -1 << false << true << false << 3;
    QTest::newRow("one second of samples") << QList<int>{7, 1, 0, 2, 1, 0} << -1.0f << 30 << false
                                           << false << true << 2;
}

void TestMainWindow::recalculateFillsEveryField()
{
    QFETCH(QList<int>, indexes);
    QFETCH(float, fftLength);
    QFETCH(int, fftCount);
    QFETCH(bool, trend);
    QFETCH(bool, tensor);
    QFETCH(bool, recompute);
    QFETCH(int, density);
    WindowFixture f;
    MainRibbonControls *c = f.controls();
    const QList<QComboBox *> combos = {c->fftLength, c->trendCorrection, c->fftCount,
                                       c->frequencyCount, c->recalculate, c->computeMode};
    for (int i = 0; i < combos.size(); ++i)
        combos.at(i)->setCurrentIndex(indexes.at(i));
    QSignalSpy spy(f.window.get(), &MainWindow::RecalculateChanged);
    f.window->onRecalculateChanged();
    QCOMPARE(spy.size(), 1);
    const ReCalculateParam p = f.window->hub()->settings();
    QCOMPARE(p.fftLength, fftLength);
    QCOMPARE(p.fftCount, fftCount);
    QCOMPARE(p.trendCorrection, trend);
    QCOMPARE(p.tensorMode, tensor);
    QCOMPARE(p.recomputeImpedance, recompute);
    QCOMPARE(p.frequencyDensity, density);
    QCOMPARE(p.spareValue, 0);
}

void TestMainWindow::pointAndLineMoveAreExclusive()
{
    WindowFixture f;
    MainRibbonControls *c = f.controls();
    QTest::mouseClick(c->lineMove, Qt::LeftButton);
    QVERIFY(c->lineMove->isChecked() && !c->pointMove->isChecked());
    QCOMPARE(f.window->editMode(), 1);
    QTest::mouseClick(c->lineMove, Qt::LeftButton);
    QVERIFY(!c->lineMove->isChecked() && c->pointMove->isChecked());
    QCOMPARE(f.window->editMode(), 256);
}

void TestMainWindow::closingResetsTitleAndStates()
{
    WindowFixture f;
    QVERIFY(f.openProject());
    f.window->on_setExportData(true);
    QTest::keyClick(f.window.get(), Qt::Key_W, Qt::ControlModifier);
    QVERIFY(!f.window->isProjectOpen());
    QCOMPARE(f.window->windowTitle(), QString("多极化大地电磁系统处理软件"));
    QCOMPARE(f.window->hub()->rowCount(), 0);
    MainRibbonControls *c = f.controls();
    QVERIFY(c->open->isEnabled() && c->fileMerge->isEnabled());
    for (QAction *a : {c->fileClose, c->fileSave, c->fileExport, c->swapImpedance, c->smooth})
        QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
}

void TestMainWindow::unsavedEditsAreAskedAboutBeforeClosing_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("stillOpen");
    QTest::newRow("cancel keeps the project") << int(QMessageBox::Cancel) << true;
    QTest::newRow("discard closes it") << int(QMessageBox::Discard) << false;
}

void TestMainWindow::unsavedEditsAreAskedAboutBeforeClosing()
{
    QFETCH(int, answer);
    QFETCH(bool, stillOpen);
    WindowFixture f;
    QVERIFY(f.openProject());
    f.window->on_setSaveTips(true);
    QVERIFY(f.controls()->fileSave->isEnabled());
    f.saveAnswers.enqueue(QMessageBox::StandardButton(answer));
    f.controls()->fileClose->trigger();
    QCOMPARE(f.saveQuestions, QStringList({"保存修改"}));
    QCOMPARE(f.window->isProjectOpen(), stillOpen);
    f.saveQuestions.clear();
    f.controls()->fileSave->setEnabled(false);
    f.controls()->fileClose->trigger();
    QVERIFY(f.saveQuestions.isEmpty());
}

void TestMainWindow::newProjectIsCreatedEmptyAndOpened()
{
    WindowFixture f;
    f.dialogs.fileNames.enqueue(f.path("fresh"));
    QTest::keyClick(f.window.get(), Qt::Key_N, Qt::ControlModifier);
    const QString file = f.path("fresh.HMT");
    QVERIFY(QFileInfo::exists(file));
    QCOMPARE(f.window->projectFile(), QFileInfo(file).absoluteFilePath());
    QCOMPARE(f.window->hub()->rowCount(), 0);
    QCOMPARE(ReadBack::rows(file, "SELECT ProjectName FROM Data_Project"),
             QList<QVariantList>({{"fresh"}}));
    QCOMPARE(ReadBack::rows(file, "SELECT COUNT(*) FROM Data_Line"), QList<QVariantList>({{0}}));

    f.controls()->fileClose->trigger();
    f.dialogs.fileNames.enqueue(file);
    f.controls()->newProject->trigger();
    QCOMPARE(f.dialogs.callsOf("critical").size(), 1);
    QVERIFY(!f.window->isProjectOpen());
    QCOMPARE(ReadBack::rows(file, "SELECT COUNT(*) FROM Data_Project"), QList<QVariantList>({{1}}));
}

void TestMainWindow::droppedProjectFileIsOpened_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("project file") << "survey.HMT" << true;
    QTest::newRow("other file") << "history.ini" << false;
}

void TestMainWindow::droppedProjectFileIsOpened()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    WindowFixture f;
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(f.path(name))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.window.get(), &enter);
    QCOMPARE(enter.isAccepted(), accepted);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.window.get(), &drop);
    QCOMPARE(f.window->isProjectOpen(), accepted);
}

QTEST_MAIN(TestMainWindow)
#include "tst_MainWindow.moc"
