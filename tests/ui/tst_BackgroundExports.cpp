// The spectrum export and the inversion runs started from the main window: the reading of the
// recordings and the wait for the inversion program run beside the event loop under a progress
// dialog, finish with what the same command writes when run inline, and a cancel leaves the
// files as they were and tells the operator.

#include <QAbstractButton>
#include <QFile>
#include <QProgressDialog>
#include <QTimer>
#include <gsl/gsl_errno.h>

#include "CurveProject.h"
#include "MainWindowFixture.h"
#include "RibbonBar.h"
#include "TreeModel_Index.h"

class TestBackgroundExports : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { gsl_set_error_handler_off(); }
    void spectrumExportRunsBesideTheEventLoop();
    void cancelledSpectrumExportWritesNothing();
    void inversionWaitCanBeCancelledFromTheWindow();
};

namespace {

const QString kSpectrumTitle = QStringLiteral("导出频谱数据");

// Line 1 with three stations, each recorded for 20 s at 24 kHz.
SurveyPlan longLine()
{
    SurveyPlan survey;
    for (int s = 1; s <= 3; ++s) {
        StationPlan station = smallStation(1, s);
        station.recordings.first().sampleRate = 24000;
        station.recordings.first().seconds = 20;
        survey.stations << station;
    }
    return survey;
}

QProgressDialog *visibleDialog(QWidget *window, const QString &title)
{
    for (QProgressDialog *dialog : window->findChildren<QProgressDialog *>())
        if (dialog->isVisible() && dialog->windowTitle() == title)
            return dialog;
    return nullptr;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Watches the window while a command runs: counts the timer's ticks while the dialog titled
// title is shown, notes whether the ribbon was disabled meanwhile, and clicks Cancel at the first
// sight of the dialog when asked to.
class RunWatcher {
public:
    int ticks = 0;
    bool ribbonDisabled = false;

    RunWatcher(QWidget *window, const QString &title, bool cancel)
    {
        QObject::connect(&timer, &QTimer::timeout, [=] {
            QProgressDialog *dialog = visibleDialog(window, title);
            if (!dialog)
                return;
            ++ticks;
            ribbonDisabled = !static_cast<MainWindow *>(window)->ribbonBar()->isEnabled();
            if (cancel && ticks == 1)
                QTest::mouseClick(dialog->findChild<QAbstractButton *>(), Qt::LeftButton);
        });
        timer.start(5);
    }

private:
    QTimer timer;
};

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

} // namespace

void TestBackgroundExports::spectrumExportRunsBesideTheEventLoop()
{
    QByteArray inBackground;
    {
        WindowFixture f(longLine());
        QVERIFY(f.valid);
        QVERIFY(f.openProject());
        f.dialogs.fileNames << f.path("background.DAT");
        RunWatcher watcher(f.window.get(), kSpectrumTitle, false);
        QVERIFY(f.window->hub()->exportLineSpectrum(0));
        QVERIFY2(watcher.ticks >= 1, qPrintable(QString::number(watcher.ticks)));
        QVERIFY(watcher.ribbonDisabled);
        QVERIFY(f.window->ribbonBar()->isEnabled());
        QCOMPARE(f.dialogs.callsOf("information").size(), 1);
        QCOMPARE(f.dialogs.callsOf("information").first().text, QString("导出数据成功"));
        inBackground = contents(f.path("background.DAT"));
    }
    WindowFixture f(longLine());
    QVERIFY(f.valid);
    f.window->hub()->setComputationRunner({});
    QVERIFY(f.openProject());
    f.dialogs.fileNames << f.path("inline.DAT");
    QVERIFY(f.window->hub()->exportLineSpectrum(0));
    // The heading and, per station, one line per standard frequency its Hx spectrum reaches.
    QVERIFY2(inBackground.count('\n') > 3 * 10, inBackground.left(200).constData());
    QCOMPARE(inBackground, contents(f.path("inline.DAT")));
}

void TestBackgroundExports::cancelledSpectrumExportWritesNothing()
{
    WindowFixture f(longLine());
    QVERIFY(f.valid);
    QVERIFY(f.openProject());
    QFile earlier(f.path("spectrum.DAT"));
    QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("an earlier export\n") > 0);
    earlier.close();
    f.dialogs.fileNames << earlier.fileName();
    RunWatcher watcher(f.window.get(), kSpectrumTitle, true);
    QVERIFY(!f.window->hub()->exportLineSpectrum(0));
    QVERIFY(watcher.ticks >= 1);
    QCOMPARE(contents(earlier.fileName()), QByteArray("an earlier export\n"));
    QCOMPARE(f.dialogs.callsOf("information").size(), 1);
    QCOMPARE(f.dialogs.callsOf("information").first().text, QString("导出已取消，未写入文件。"));
    QVERIFY(!visibleDialog(f.window.get(), kSpectrumTitle));
}

// A program that would run for half a minute: the window keeps turning while it is waited for,
// and Cancel stops it with no section, no error box and no output left behind.
void TestBackgroundExports::inversionWaitCanBeCancelledFromTheWindow()
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
    RunWatcher watcher(f.window.get(), QStringLiteral("反演"), true);
    QVERIFY(!f.window->hub()->runNLCG(0));
    QVERIFY(watcher.ticks >= 1);
    QVERIFY(watcher.ribbonDisabled);
    QVERIFY(f.dialogs.callsOf("critical").isEmpty());
    QCOMPARE(f.dialogs.callsOf("information").size(), 1);
    QCOMPARE(f.dialogs.callsOf("information").first().text, QString("反演已取消，未生成剖面。"));
    QVERIFY(!output.exists());
    QVERIFY(f.window->ribbonBar()->isEnabled());
}

QTEST_MAIN(TestBackgroundExports)
#include "tst_BackgroundExports.moc"
