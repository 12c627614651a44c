#include "Dialog_3DProcess.h"

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include "DialogLayout.h"
#include "OperatorDialogs.h"
#include "TreeModel_Index.h"
#include "VolumeSlicePlot.h"

namespace {

QString settingsSummary(const VolumeSettings &s)
{
    return QStringLiteral("%1个坐标点，%2，%3，搜索半径 %4 米，最低高程 %5 米")
        .arg(s.points.size())
        .arg(s.layered ? QStringLiteral("层状半空间") : QStringLiteral("非层状半空间"))
        .arg(s.dataChoice == VolumeSettings::TM ? QStringLiteral("TM 模式") : QStringLiteral("TE 模式"))
        .arg(s.searchRadius, 0, 'g', 6)
        .arg(s.minTopo, 0, 'g', 6);
}

} // namespace

Dialog_3DProcess::Dialog_3DProcess(TreeModel_Index &hub, const VolumeSettings &settings,
                                   OperatorDialogs &dialogs, QWidget *parent)
    : QDialog(parent), hub(hub), settings(settings), dialogs(dialogs), run(dialogs)
{
    setWindowTitle(QStringLiteral("三维反演"));
    status = new QLabel(settingsSummary(settings), this);
    status->setObjectName(QStringLiteral("label_Status"));
    status->setWordWrap(true);
    startButton = DialogLayout::namedButton(QStringLiteral("开始反演"),
                                            QStringLiteral("pushButton_StartIPopulate"), this);
    startButton->setDefault(true);
    progress = new QProgressBar(this);
    progress->setObjectName(QStringLiteral("progressBar"));
    progress->setValue(0);
    auto *column = new QVBoxLayout(this);
    column->addWidget(status);
    column->addWidget(progress);
    column->addLayout(DialogLayout::buttonRow({startButton}));
    setMinimumWidth(500);
    QMetaObject::connectSlotsByName(this);
}

Dialog_3DProcess::~Dialog_3DProcess()
{
    stopWorker();
}

QString Dialog_3DProcess::chooseFile()
{
    QString path = dialogs.saveFileName(QStringLiteral("保存三维数据"), hub.projectFolder(),
                                        QStringLiteral("VTK 图像文件 (*.vti)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().compare(QLatin1String("vti"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".vti");
    return path;
}

void Dialog_3DProcess::on_pushButton_StartIPopulate_clicked()
{
    if (isRunning())
        return;
    if (!hub.lines()) {
        dialogs.critical(QStringLiteral("三维反演"), QStringLiteral("请先打开工程文件"));
        return;
    }
    const QString path = chooseFile();
    if (path.isEmpty() || !run.prepare(*hub.lines(), settings))
        return;
    start(path);
}

// The worker sees only the run's columns and settings; the database stays on this thread.
void Dialog_3DProcess::start(const QString &path)
{
    stopRequested = false;
    startButton->setEnabled(false);
    progress->setValue(0);
    status->setText(QStringLiteral("正在计算 %1 个测点的三维电阻率体……").arg(run.stationCount()));
    auto report = [this](int done, int total) {
        QMetaObject::invokeMethod(progress, [this, done, total] {
            progress->setMaximum(total);
            progress->setValue(done);
        }, Qt::QueuedConnection);
        return !stopRequested;
    };
    slicePictures.clear();
    worker = QThread::create([this, path, report] {
        outcome = run.compute(path, report);
        if (outcome.failure.isEmpty() && !outcome.stopped)
            slicePictures = VolumeSlicePlot::saveBeside(outcome.volume, outcome.stations, path,
                                                        VolumeSlicePlot::kDefaultSlices);
    });
    connect(worker, &QThread::finished, this, &Dialog_3DProcess::finish);
    worker->start();
}

void Dialog_3DProcess::finish()
{
    if (!worker)  // stopped and already waited for
        return;
    worker->deleteLater();
    worker = nullptr;
    startButton->setEnabled(true);
    status->setText(outcome.stopped ? QStringLiteral("已停止") : settingsSummary(settings));
    run.report(outcome, slicePictures);
}

void Dialog_3DProcess::stopWorker()
{
    if (!worker)
        return;
    stopRequested = true;
    worker->wait();
    delete worker;
    worker = nullptr;
}

void Dialog_3DProcess::reject()
{
    stopWorker();
    QDialog::reject();
}
