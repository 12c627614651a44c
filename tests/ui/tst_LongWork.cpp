// Long work on its worker thread: a second job is refused while one runs, and the feedback a job
// reports is held in range. The progress dialog, the turning event loop and Cancel are followed
// through the main window's long work in tst_BackgroundWork.

#include <QThread>
#include <QTimer>
#include <QtTest>
#include <atomic>

#include "LongWork.h"
#include "WorkFeedback.h"

class TestLongWork : public QObject {
    Q_OBJECT
private slots:
    void secondJobIsRefusedWhileOneRuns();
    void feedbackClampsFractionAndKeepsText_data();
    void feedbackClampsFractionAndKeepsText();
};

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
