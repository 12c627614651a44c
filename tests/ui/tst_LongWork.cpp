// Long work under its progress dialog: the event loop keeps turning while the job runs on its
// worker thread, the dialog's Cancel button stops the job at its next step, and a second job is
// refused while one runs.

#include <QAbstractButton>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <atomic>

#include "LongWork.h"
#include "WorkFeedback.h"

class TestLongWork : public QObject {
    Q_OBJECT
private slots:
    void cancelStopsTheJobWhileTheEventLoopTurns();
    void secondJobIsRefusedWhileOneRuns();
    void feedbackClampsFractionAndKeepsText_data();
    void feedbackClampsFractionAndKeepsText();
};

namespace {

// A job that steps until it is cancelled (or a generous cap), reporting as it goes.
void stepUntilCancelled(WorkFeedback &feedback, std::atomic<int> &steps)
{
    while (!feedback.isCancelled() && steps < 100000) {
        QThread::msleep(2);
        ++steps;
        feedback.report(steps / 100000.0, QStringLiteral("第 %1 步").arg(int(steps)));
    }
}

} // namespace

void TestLongWork::cancelStopsTheJobWhileTheEventLoopTurns()
{
    QWidget window;
    window.show();
    LongWork work(&window);
    std::atomic<int> steps{0};
    int ticks = 0;
    QString labelSeen;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        auto *dialog = window.findChild<QProgressDialog *>();
        if (ticks == 20 && dialog) {
            labelSeen = dialog->labelText();
            QTest::mouseClick(dialog->findChild<QAbstractButton *>(), Qt::LeftButton);
        }
    });
    timer.start(LongWork::kPollMs / 2);
    QSignalSpy busy(&work, &LongWork::busyChanged);
    const LongWork::Outcome outcome =
        work.run(QStringLiteral("计算"), [&steps](WorkFeedback &f) { stepUntilCancelled(f, steps); });
    QCOMPARE(outcome, LongWork::Cancelled);
    QVERIFY(ticks >= 20);
    QVERIFY(steps > 0 && steps < 100000);
    QVERIFY2(labelSeen.startsWith(QStringLiteral("第 ")), qPrintable(labelSeen));
    QCOMPARE(busy.size(), 2);
    QVERIFY(!work.isBusy());
    QVERIFY(!window.findChild<QProgressDialog *>());
}

void TestLongWork::secondJobIsRefusedWhileOneRuns()
{
    QWidget window;
    LongWork work(&window);
    LongWork::Outcome second = LongWork::Finished;
    bool secondRan = false;
    std::atomic<bool> release{false};
    QTimer::singleShot(0, [&] {
        second = work.run(QStringLiteral("second"), [&secondRan](WorkFeedback &) { secondRan = true; });
        release = true;
    });
    const LongWork::Outcome first = work.run(QStringLiteral("first"), [&release](WorkFeedback &) {
        while (!release)
            QThread::msleep(1);
    });
    QCOMPARE(first, LongWork::Finished);
    QCOMPARE(second, LongWork::Refused);
    QVERIFY(!secondRan);
}

void TestLongWork::feedbackClampsFractionAndKeepsText_data()
{
    QTest::addColumn<double>("fraction");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("shown");
    QTest::addColumn<QString>("shownText");
    QTest::newRow("inside") << 0.25 << "a" << 0.25 << "a";
    QTest::newRow("below zero") << -3.0 << "b" << 0.0 << "b";
    QTest::newRow("above one") << 7.5 << "c" << 1.0 << "c";
    QTest::newRow("empty text keeps the last") << 0.5 << "" << 0.5 << "before";
}

void TestLongWork::feedbackClampsFractionAndKeepsText()
{
    QFETCH(double, fraction);
    QFETCH(QString, text);
    QFETCH(double, shown);
    QFETCH(QString, shownText);
    WorkFeedback feedback;
    feedback.report(0.1, QStringLiteral("before"));
    feedback.report(fraction, text);
    QCOMPARE(feedback.fraction(), shown);
    QCOMPARE(feedback.text(), shownText);
}

QTEST_MAIN(TestLongWork)
#include "tst_LongWork.moc"
