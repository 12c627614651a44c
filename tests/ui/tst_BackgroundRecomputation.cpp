// A recording recomputed from the main window: the estimator runs under the progress dialog while
// the event loop keeps turning, a cancelled run leaves the project file as it was and tells the
// operator, a finished run stores what the same recomputation stores when run inline, and closing
// the window during a run asks, cancels, waits and only then closes the project.

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTimer>
#include <QTreeView>
#include <gsl/gsl_errno.h>

#include "MainWindowFixture.h"
#include "RibbonBar.h"
#include "TreeModel_Index.h"

class TestBackgroundRecomputation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { gsl_set_error_handler_off(); }
    void cancelledRunLeavesTheProjectUnchanged();
    void finishedRunStoresWhatTheInlineRunStores();
    void closingDuringARunAsksCancelsAndWaits();
};

namespace {

const QString kRecomputeTitle = QStringLiteral("重新计算");

// One station with a recording long enough that its three pairs take many segments of 512.
SurveyPlan longSurvey()
{
    SurveyPlan survey;
    StationPlan station = smallStation(1, 1);
    station.recordings.first().sampleRate = 24000;
    station.recordings.first().seconds = 30;
    survey.stations = {station};
    return survey;
}

// Sets the ribbon to recompute with segments of 512 samples over all the data and double-clicks
// the first recording of line 1, station 1; returns once the recomputation has ended.
void recomputeFirstRecording(WindowFixture &f)
{
    MainRibbonControls *c = f.controls();
    c->fftLength->setCurrentIndex(0);
    c->fftCount->setCurrentIndex(2);
    c->recalculate->setCurrentIndex(1);
    auto *tree = f.window->findChild<QTreeView *>();
    TreeModel_Index *hub = f.window->hub();
    const QModelIndex recording = hub->index(0, 0, hub->index(0, 0, hub->index(0, 0)));
    tree->expandAll();
    tree->doItemsLayout();
    tree->scrollTo(recording);
    const QPoint centre = tree->visualRect(recording).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

// The recomputation's progress dialog while it is shown.
QProgressDialog *recomputeDialog(QWidget *window)
{
    for (QProgressDialog *dialog : window->findChildren<QProgressDialog *>())
        if (dialog->isVisible() && dialog->windowTitle() == kRecomputeTitle)
            return dialog;
    return nullptr;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool toldCancelled(const ScriptedOperatorDialogs &dialogs)
{
    const auto told = dialogs.callsOf("information");
    return told.size() == 1 && told.first().title == QStringLiteral("重新计算已取消");
}

const char *kStoredCurves = "SELECT SampleChannel, Data_Impedance FROM Data_ProcessData ORDER BY SampleChannel";

} // namespace

void TestBackgroundRecomputation::cancelledRunLeavesTheProjectUnchanged()
{
    WindowFixture f(longSurvey());
    QVERIFY(f.valid);
    QVERIFY(f.openProject());
    const QByteArray before = contents(f.projectFile);
    int ticksWhileRunning = 0;
    int progressAtCancel = -1;
    bool ribbonDisabledWhileRunning = false;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] {
        QProgressDialog *dialog = recomputeDialog(f.window.get());
        if (!dialog)
            return;
        ++ticksWhileRunning;
        ribbonDisabledWhileRunning = !f.window->ribbonBar()->isEnabled();
        if (progressAtCancel < 0 && dialog->value() > 0) {
            progressAtCancel = dialog->value();
            QTest::mouseClick(dialog->findChild<QAbstractButton *>(), Qt::LeftButton);
        }
    });
    timer.start(5);
    recomputeFirstRecording(f);
    timer.stop();
    QVERIFY2(ticksWhileRunning >= 2, qPrintable(QString::number(ticksWhileRunning)));
    QVERIFY(ribbonDisabledWhileRunning);
    QVERIFY2(progressAtCancel > 0 && progressAtCancel < 1000, qPrintable(QString::number(progressAtCancel)));
    QVERIFY(contents(f.projectFile) == before);
    QVERIFY(toldCancelled(f.dialogs));
    QCOMPARE(f.dialogs.callsOf("warning").size(), 0);
    QVERIFY(!recomputeDialog(f.window.get()));
    QVERIFY(f.window->ribbonBar()->isEnabled());
}

void TestBackgroundRecomputation::finishedRunStoresWhatTheInlineRunStores()
{
    QList<QVariantList> inBackground;
    {
        WindowFixture f;
        QVERIFY(f.valid);
        QVERIFY(f.openProject());
        recomputeFirstRecording(f);
        QCOMPARE(f.dialogs.callsOf("warning").size(), 0);
        QCOMPARE(f.dialogs.callsOf("information").size(), 0);
        inBackground = f.rows(kStoredCurves);
    }
    WindowFixture f;
    QVERIFY(f.valid);
    f.window->hub()->setComputationRunner({});
    QVERIFY(f.openProject());
    recomputeFirstRecording(f);
    const QList<QVariantList> inline_ = f.rows(kStoredCurves);
    QCOMPARE(inBackground.size(), 3);  // ExHy, EyHx, Ex2Hy
    QCOMPARE(inBackground, inline_);
}

void TestBackgroundRecomputation::closingDuringARunAsksCancelsAndWaits()
{
    WindowFixture f(longSurvey());
    QVERIFY(f.valid);
    QVERIFY(f.openProject());
    const QByteArray before = contents(f.projectFile);
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
        QProgressDialog *dialog = recomputeDialog(f.window.get());
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
    QVERIFY(contents(f.projectFile) == before);
}

QTEST_MAIN(TestBackgroundRecomputation)
#include "tst_BackgroundRecomputation.moc"
