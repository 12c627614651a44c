#include "LongWork.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include "WorkFeedback.h"

namespace {

constexpr int kSteps = 1000;

void showProgress(QProgressDialog &dialog, const WorkFeedback &feedback)
{
    dialog.setValue(qRound(feedback.fraction() * kSteps));
    const QString text = feedback.isCancelled() ? LongWork::tr("正在取消…") : feedback.text();
    if (!text.isEmpty() && text != dialog.labelText())
        dialog.setLabelText(text);
}

} // namespace

LongWork::LongWork(QWidget *window, QObject *parent) : QObject(parent), window(window) {}

LongWork::Outcome LongWork::run(const QString &title, const Job &job)
{
    if (busy)
        return Refused;
    // The window that was active gets the keyboard back once the dialog has gone.
    const QPointer<QWidget> active = QApplication::activeWindow();
    WorkFeedback feedback;
    running = &feedback;
    busy = true;
    emit busyChanged(true);

    QProgressDialog dialog(title, tr("取消"), 0, kSteps, window);
    dialog.setWindowTitle(title);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    dialog.setMinimumWidth(380);
    connect(&dialog, &QProgressDialog::canceled, [&feedback] { feedback.cancel(); });

    worker = QThread::create([&job, &feedback] { job(feedback); });
    QEventLoop loop;
    connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    QTimer poll;
    connect(&poll, &QTimer::timeout, &dialog, [&dialog, &feedback] { showProgress(dialog, feedback); });
    poll.start(kPollMs);
    dialog.show();
    worker->start();
    loop.exec();
    worker->wait();
    delete worker;
    worker = nullptr;
    dialog.hide();
    if (active)
        QApplication::setActiveWindow(active);

    running = nullptr;
    busy = false;
    emit busyChanged(false);
    return feedback.isCancelled() ? Cancelled : Finished;
}

void LongWork::cancelAndWait()
{
    if (!running)
        return;
    running->cancel();
    QEventLoop loop;
    connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    if (!worker->isFinished())
        loop.exec();
}
