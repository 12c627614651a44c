// Long work started from the main window: a recording's recomputation, the spectrum export and the
// wait for an inversion program run beside the event loop under a progress dialog; a finished run
// gives what the same command gives when run inline, a cancel leaves the files as they were and
// tells the operator, and closing the window during a run asks, cancels, waits and only then
// closes the project. (A cancelled spectrum export is followed in the exchange suite.)

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTimer>
#include <gsl/gsl_errno.h>

#include "CurveProject.h"
#include "MainWindowFixture.h"
#include "RibbonBar.h"
#include "TreeModel_Index.h"

class TestBackgroundWork : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { gsl_set_error_handler_off(); }
    void cancelledRecomputationLeavesTheProjectUnchanged();
    void finishedRecomputationStoresWhatTheInlineRunStores();
    void closingDuringARecomputationAsksCancelsAndWaits();
    void spectrumExportRunsBesideTheEventLoop();
    void inversionWaitCanBeCancelledFromTheWindow();
};

namespace {

const QString kRecomputeTitle = QStringLiteral("重新计算");
const QString kSpectrumTitle = QStringLiteral("导出频谱数据");
const char *kStoredCurves = "SELECT SampleChannel, Data_Impedance FROM Data_ProcessData ORDER BY SampleChannel";

// Stations of line 1 recorded at 24 kHz for the given seconds.
SurveyPlan longLine(int stations, int seconds)
{
    SurveyPlan survey;
    for (int s = 1; s <= stations; ++s) {
        StationPlan station = smallStation(1, s);
        station.recordings.first().sampleRate = 24000;
        station.recordings.first().seconds = seconds;
        survey.stations << station;
    }
    return survey;
}

// Six stations on line 1 whose Ex/Hy curves are a 100 ohm-m half-space; no recordings.
bool writeCurveLine(const QString &folder, QString &projectFile)
{
    QVector<OneFreqImpedance> halfSpace;
    for (int k = 0; k < 20; ++k)
        halfSpace.append({0, 1000.0 * std::pow(10.0, -k / 4.0), 0.95, 100.0, 45.0, 0, 0});
    QList<CurveStation> stations;
    for (int s = 1; s <= 6; ++s)
        stations << CurveStation{1, float(10 * s), halfSpace, halfSpace};
    projectFile = folder + "/curves.HMT";
    return CurveProject::write(projectFile, stations) && QDir(folder).mkpath("nlcg");
}

// Sets the ribbon to recompute with segments of 512 samples over all the data and double-clicks
// the first recording of line 1, station 1; returns once the recomputation has ended.
void recomputeFirstRecording(WindowFixture &f)
{
    MainRibbonControls *c = f.controls();
    c->fftLength->setCurrentIndex(0);
    c->fftCount->setCurrentIndex(2);
    c->recalculate->setCurrentIndex(1);
    TreeModel_Index *hub = f.window->hub();
    f.doubleClickInTree(hub->index(0, 0, hub->index(0, 0, hub->index(0, 0))));
}

QProgressDialog *visibleDialog(QWidget *window, const QString &title)
{
    for (QProgressDialog *dialog : window->findChildren<QProgressDialog *>())
        if (dialog->isVisible() && dialog->windowTitle() == title)
            return dialog;
    return nullptr;
}

// Watches the window while a command runs: counts the timer's ticks while the dialog titled
// title is shown, notes whether the ribbon was disabled meanwhile, and clicks Cancel when asked
// to, at the first sight of the dialog or once it shows progress.
class RunWatcher {
public:
    enum Cancel { Never, AtOnce, AfterProgress };
    int ticks = 0;
    bool ribbonDisabled = false;
    int progressAtCancel = -1;

    RunWatcher(MainWindow *window, const QString &title, Cancel cancel)
    {
        QObject::connect(&timer, &QTimer::timeout, [=] {
            QProgressDialog *dialog = visibleDialog(window, title);
            if (!dialog)
                return;
            ++ticks;
            ribbonDisabled = !window->ribbonBar()->isEnabled();
            const bool due = cancel == AtOnce || (cancel == AfterProgress && dialog->value() > 0);
            if (due && progressAtCancel < 0) {
                progressAtCancel = dialog->value();
                QTest::mouseClick(dialog->findChild<QAbstractButton *>(), Qt::LeftButton);
            }
        });
        timer.start(5);
    }

private:
    QTimer timer;
};

bool toldCancelled(const ScriptedOperatorDialogs &dialogs)
{
    const auto told = dialogs.callsOf("information");
    return told.size() == 1 && told.first().title == QStringLiteral("重新计算已取消");
}

} // namespace

void TestBackgroundWork::cancelledRecomputationLeavesTheProjectUnchanged()
{
    WindowFixture f(longLine(1, 30));
    QVERIFY(f.valid);
    QVERIFY(f.openProject());
    const QByteArray before = ReadBack::contents(f.projectFile);
    {
        RunWatcher watcher(f.window.get(), kRecomputeTitle, RunWatcher::AfterProgress);
        recomputeFirstRecording(f);
        QVERIFY2(watcher.ticks >= 2, qPrintable(QString::number(watcher.ticks)));
        QVERIFY(watcher.ribbonDisabled);
        QVERIFY2(watcher.progressAtCancel > 0 && watcher.progressAtCancel < 1000,
                 qPrintable(QString::number(watcher.progressAtCancel)));
    }
    QVERIFY(ReadBack::contents(f.projectFile) == before);
    QVERIFY(toldCancelled(f.dialogs));
    QCOMPARE(f.dialogs.callsOf("warning").size(), 0);
    QVERIFY(!visibleDialog(f.window.get(), kRecomputeTitle));
    QVERIFY(f.window->ribbonBar()->isEnabled());
}

void TestBackgroundWork::finishedRecomputationStoresWhatTheInlineRunStores()
{
    QList<QVariantList> inBackground;
    {
        WindowFixture f;
        QVERIFY(f.valid);
        QVERIFY(f.openProject());
        recomputeFirstRecording(f);
        QCOMPARE(f.dialogs.boxes(), QString());
        inBackground = f.rows(kStoredCurves);
    }
    WindowFixture f;
    QVERIFY(f.valid);
    f.window->hub()->setComputationRunner({});
    QVERIFY(f.openProject());
    recomputeFirstRecording(f);
    QCOMPARE(inBackground.size(), 3);  // ExHy, EyHx, Ex2Hy
    QCOMPARE(inBackground, f.rows(kStoredCurves));
}

void TestBackgroundWork::closingDuringARecomputationAsksCancelsAndWaits()
{
    WindowFixture f(longLine(1, 30));
    QVERIFY(f.valid);
    QVERIFY(f.openProject());
    const QByteArray before = ReadBack::contents(f.projectFile);
    bool closeAsked = false;
    bool openWhileAnswering = false;
    QStringList questions;
    // The question box runs its own loop inside the close, so a second timer answers it.
    QTimer answerer;
    connect(&answerer, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->button(QMessageBox::Yes))
            return;
        questions << box->text();
        openWhileAnswering = f.window->isProjectOpen();
        box->button(QMessageBox::Yes)->click();
    });
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        QProgressDialog *dialog = visibleDialog(f.window.get(), kRecomputeTitle);
        if (closeAsked || !dialog || dialog->value() == 0)
            return;
        closeAsked = true;
        f.window->close();
        // The run was cancelled and has ended, but its command has not returned yet: the project
        // stays open until it has.
        QVERIFY(f.window->isProjectOpen());
    });
    answerer.start(5);
    closer.start(5);
    recomputeFirstRecording(f);
    QVERIFY(closeAsked);
    QCOMPARE(questions.size(), 1);
    QVERIFY(openWhileAnswering);
    QVERIFY(toldCancelled(f.dialogs));
    QTRY_VERIFY(!f.window->isVisible());
    QVERIFY(!f.window->isProjectOpen());
    QVERIFY(ReadBack::contents(f.projectFile) == before);
}

void TestBackgroundWork::spectrumExportRunsBesideTheEventLoop()
{
    QByteArray inBackground;
    {
        WindowFixture f(longLine(3, 20));
        QVERIFY(f.valid);
        QVERIFY(f.openProject());
        f.dialogs.fileNames << f.path("background.DAT");
        RunWatcher watcher(f.window.get(), kSpectrumTitle, RunWatcher::Never);
        QVERIFY(f.window->hub()->exportLineSpectrum(0));
        QVERIFY2(watcher.ticks >= 1, qPrintable(QString::number(watcher.ticks)));
        QVERIFY(watcher.ribbonDisabled);
        QVERIFY(f.window->ribbonBar()->isEnabled());
        QCOMPARE(f.dialogs.boxes(), QString("information:导出数据:导出数据成功"));
        inBackground = ReadBack::contents(f.path("background.DAT"));
    }
    WindowFixture f(longLine(3, 20));
    QVERIFY(f.valid);
    f.window->hub()->setComputationRunner({});
    QVERIFY(f.openProject());
    f.dialogs.fileNames << f.path("inline.DAT");
    QVERIFY(f.window->hub()->exportLineSpectrum(0));
    // The heading and, per station, one line per standard frequency its Hx spectrum reaches.
    QVERIFY2(inBackground.count('\n') > 3 * 10, inBackground.left(200).constData());
    QCOMPARE(inBackground, ReadBack::contents(f.path("inline.DAT")));
}

// A program that would run for half a minute: the window keeps turning while it is waited for,
// and Cancel stops it with no section, no error box and no output left behind.
void TestBackgroundWork::inversionWaitCanBeCancelledFromTheWindow()
{
    WindowFixture f(writeCurveLine);
    QVERIFY(f.valid);
    QVERIFY(f.openProject());
    QFile program("nlcg/MTNLCG.exe");  // the window works in the project's folder
    QVERIFY(program.open(QIODevice::WriteOnly) && program.write("#!/bin/sh\nexec sleep 30\n") > 0);
    program.close();
    QVERIFY(program.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
    QFile output("nlcg/mod_out.dat");
    QVERIFY(output.open(QIODevice::WriteOnly) && output.write("an earlier run's output\n") > 0);
    output.close();
    RunWatcher watcher(f.window.get(), QStringLiteral("反演"), RunWatcher::AtOnce);
    QVERIFY(!f.window->hub()->runNLCG(0));
    QVERIFY(watcher.ticks >= 1);
    QVERIFY(watcher.ribbonDisabled);
    QVERIFY(f.dialogs.callsOf("critical").isEmpty());
    QCOMPARE(f.dialogs.callsOf("information").size(), 1);
    QCOMPARE(f.dialogs.callsOf("information").first().text, QString("反演已取消，未生成剖面。"));
    QVERIFY(!output.exists());
    QVERIFY(f.window->ribbonBar()->isEnabled());
}

QTEST_MAIN(TestBackgroundWork)
#include "tst_BackgroundWork.moc"
