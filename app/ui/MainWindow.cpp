#include "MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "Dialog_3DInvSetting.h"
#include "Dialog_3DProcess.h"
#include "Dialog_Huebar.h"
#include "Dialog_MergeData.h"
#include "Form_2DInversion.h"
#include "Form_Impedance.h"
#include "Form_Project.h"
#include "Form_TimeSeries.h"
#include "LibDORE.h"
#include "LongWork.h"
#include "MainRibbonControls.h"
#include "NewProjectFile.h"
#include "OperatorDialogs.h"
#include "PlotPositionReadout.h"
#include "ResourceIcon.h"
#include "RibbonBar.h"
#include "RecordingProcessing.h"
#include "RibbonSystemMenu.h"
#include "TreeModel_Index.h"

namespace {

const QString kProjectFilter = QStringLiteral("Vardex文件(*.HMT)");

bool isProjectFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(QStringLiteral("HMT"), Qt::CaseInsensitive) == 0;
}

// The local project file among dropped or pasted URLs, or empty.
QString droppedProjectFile(const QMimeData *mime)
{
    for (const QUrl &url : mime->urls())
        if (url.isLocalFile() && isProjectFile(url.toLocalFile()))
            return url.toLocalFile();
    return QString();
}

} // namespace

const QString MainWindow::kOpenTitle = QStringLiteral("多极化大地电磁系统处理软件");

MainWindow::MainWindow(OperatorDialogs *dialogs, const QString &historyFile, QWidget *parent)
    : RibbonWindow(parent), dialogs(dialogs), history(QFileInfo(historyFile).absoluteFilePath()),
      index(new TreeModel_Index(dialogs, this)),
      ribbonControls(new MainRibbonControls(ribbonBar(), this)), work(new LongWork(this, this))
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("大地电磁数据处理软件--Veltrona"));
    setWindowIcon(ResourceIcon::load(QStringLiteral(":/Res/logo-02.png")));
    buildDock();
    buildCentralPages();
    buildStatusBar();
    move(200, 200);
    resize(1600, 900);  // the whole ribbon legible, four plots of readable height
    connectRibbon();
    connectHub();
    runHubComputationsInBackground();
    connectViews();
    setAcceptDrops(true);
    askToSave = [this](const QString &title, const QString &text) {
        return QMessageBox::question(this, title, text,
                                     QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                     QMessageBox::Save);
    };
    refreshRecentProjects();
    restoreFrameState();
}

MainWindow::~MainWindow()
{
    index->clearModel();
    delete database;
}

void MainWindow::buildDock()
{
    formProject = new Form_Project;
    formProject->setHub(index);
    auto *dock = new QDockWidget(QStringLiteral("工程索引"), this);
    dock->setObjectName(QStringLiteral("projectDock"));
    dock->setWidget(formProject);
    dock->setFeatures(QDockWidget::DockWidgetMovable);
    dock->setTitleBarWidget(new QWidget(dock));
    formProject->setMinimumWidth(180);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    resizeDocks({dock}, {240}, Qt::Horizontal);
}

void MainWindow::buildCentralPages()
{
    pages = new QStackedWidget;
    pages->setObjectName(QStringLiteral("centralPages"));
    impedance = new Form_Impedance;
    section = new Form_2DInversion;
    huebar = new Dialog_Huebar(this);
    pages->addWidget(impedance);
    timeSeries = new Form_TimeSeries(dialogs, work);
    pages->addWidget(timeSeries);
    pages->addWidget(section);
    setCentralWidget(pages);
}

void MainWindow::buildStatusBar()
{
    statusBar()->addWidget(new QLabel(QStringLiteral("Veltrona")));
    positionLabel = new QLabel;
    positionLabel->setObjectName(QStringLiteral("plotPositionLabel"));
    statusBar()->addPermanentWidget(positionLabel);
    connect(new PlotPositionReadout(this), &PlotPositionReadout::positionChanged, positionLabel,
            &QLabel::setText);
}

void MainWindow::connectRibbon()
{
    MainRibbonControls *c = ribbonControls;
    connect(c->open, &QAction::triggered, this, &MainWindow::on_actionOpen_triggered);
    connect(c->quickOpen, &QAction::triggered, this, &MainWindow::on_actionOpen_triggered);
    connect(c->fileMerge, &QAction::triggered, this, &MainWindow::on_actionFileMerge_triggerd);
    connect(c->fileSave, &QAction::triggered, this, &MainWindow::on_actionFileSave_triggerd);
    connect(c->quickSave, &QAction::triggered, this, &MainWindow::on_actionFileSave_triggerd);
    connect(c->fileExport, &QAction::triggered, this, &MainWindow::on_actionFileExport_triggerd);
    connect(c->fileClose, &QAction::triggered, this, &MainWindow::on_actionFileClose_triggerd);
    connect(c->quickClose, &QAction::triggered, this, &MainWindow::on_actionFileClose_triggerd);
    connect(c->swapImpedance, &QAction::triggered, this, &MainWindow::on_actionSwapImp_triggerd);
    connect(c->smooth, &QAction::triggered, this, &MainWindow::on_actionSmooth_triggerd);
    connect(c->colorSetting, &QAction::triggered, this, &MainWindow::on_actionColorSetting_triggerd);
    connect(c->invSetting3D, &QAction::triggered, this, &MainWindow::on_action3DInvSetting_triggerd);
    connect(c->pointMove, &QCheckBox::stateChanged, this, &MainWindow::on_pointMoveCheckStateChanged);
    connect(c->lineMove, &QCheckBox::stateChanged, this, &MainWindow::on_lineMoveCheckStateChanged);
    connect(c->showX, &QCheckBox::stateChanged, this, &MainWindow::on_showExCheckStateChanged);
    connect(c->showY, &QCheckBox::stateChanged, this, &MainWindow::on_showEyCheckStateChanged);
    connect(c->showZ, &QCheckBox::stateChanged, this, &MainWindow::on_showEzCheckStateChanged);
    connect(c->cohThreshold, &QCheckBox::stateChanged, this, &MainWindow::on_CohThresholdCheckStateChanged);
    connect(c->medRobust, &QCheckBox::stateChanged, this, &MainWindow::on_MedRobustCheckStateChanged);
    connect(c->mestRobust, &QCheckBox::stateChanged, this, &MainWindow::on_MestRobustCheckStateChanged);
    connect(c->regression, &QCheckBox::stateChanged, this, &MainWindow::on_RegressionCheckStateChanged);
    connect(c->newProject, &QAction::triggered, this, &MainWindow::newProject);
    connect(c->help, &QAction::triggered, this, &MainWindow::showUserGuide);
    connect(c->options, &QAction::triggered, this, &MainWindow::optionsDialog);
    connect(c->exit, &QAction::triggered, this, &QWidget::close);
    connect(ribbonBar()->systemMenu(), &RibbonSystemMenu::recentFileTriggered, this,
            &MainWindow::openProjectFile);
    addActions({c->open, c->fileSave, c->fileClose, c->newProject, c->help});
    connect(work, &LongWork::busyChanged, this, [this](bool busy) {
        ribbonBar()->setEnabled(!busy);
        if (busy)
            workLoopLevel = QThread::currentThread()->loopLevel();
    });
}

void MainWindow::connectHub()
{
    connect(index, &TreeModel_Index::signal_CentralWidgetChanged, this, &MainWindow::on_currentFormChanged);
    connect(formProject, &Form_Project::TimeSeriesIsChoosed, this, &MainWindow::onRecalculateChanged);
    connect(this, &MainWindow::RecalculateChanged, index, &TreeModel_Index::onRecalculateChanged);
    connect(index, &TreeModel_Index::setSaveTips, this, &MainWindow::on_setSaveTips);
    connect(this, &MainWindow::signal_StackedMethodChanged, index,
            &TreeModel_Index::on_slot_StackMethodChanged);
    // A recomputed recording makes saving possible; the operator decides whether to save.
    connect(index, &TreeModel_Index::setSaveData, this, &MainWindow::on_setSaveTips);
    connect(index, &TreeModel_Index::setExportData, this, &MainWindow::on_setExportData);
}

void MainWindow::connectViews()
{
    connect(index, &TreeModel_Index::ExHyImpedanceChanged, impedance, &Form_Impedance::onExHyImpedanceChanged);
    connect(index, &TreeModel_Index::EyHxImpedanceChanged, impedance, &Form_Impedance::onEyHxImpedanceChanged);
    connect(index, &TreeModel_Index::Ex2HyImpedanceChanged, impedance, &Form_Impedance::onEx2HyImpedanceChanged);
    connect(index, &TreeModel_Index::MPMTImpedanceChanged, impedance, &Form_Impedance::onMPMTImpedanceChanged);
    connect(index, &TreeModel_Index::ExHyErrorBarsChanged, impedance, &Form_Impedance::onExHyErrorBarsChanged);
    connect(index, &TreeModel_Index::EyHxErrorBarsChanged, impedance, &Form_Impedance::onEyHxErrorBarsChanged);
    connect(index, &TreeModel_Index::Ex2HyErrorBarsChanged, impedance, &Form_Impedance::onEx2HyErrorBarsChanged);
    connect(index, &TreeModel_Index::signal_SelectPointTitle, impedance, &Form_Impedance::onSelectPointNameChanged);
    connect(impedance, &Form_Impedance::setSaveTips, this, &MainWindow::on_setSaveTips);
    connect(index, &TreeModel_Index::TimeSeriesChanged, timeSeries, &Form_TimeSeries::onTimeSeriesChanged);
    connect(index, &TreeModel_Index::TimeSeriesPlots, timeSeries, &Form_TimeSeries::onTimeSeriesPlots);
    connect(index, &TreeModel_Index::TimeSeriesParam, timeSeries, &Form_TimeSeries::onTimeSeriesParamChanged);
    connect(index, &TreeModel_Index::OneMTSamplesChanged, timeSeries,
            &Form_TimeSeries::onOneChannelTimeSeriesParamChaged);
    connect(timeSeries, &Form_TimeSeries::statusMessage, this, &MainWindow::showStatusMessage);
    // The view reads its own samples under the pointer; it speaks after the generic plot read-out.
    connect(timeSeries, &Form_TimeSeries::cursorReadout, positionLabel, &QLabel::setText);
    connect(index, &TreeModel_Index::signal2DISOGraphChanged, section, &Form_2DInversion::on_signal2DISOGraphChanged);
    connect(huebar, &Dialog_Huebar::signal_HuebarChanged, section, &Form_2DInversion::on_signalHuebarChanged);
    connect(index, &TreeModel_Index::signal_StaticResistivity, huebar, &Dialog_Huebar::onStaticResistivity);
}

int MainWindow::currentForm() const
{
    return pages->currentIndex();
}

// ---- project ----

void MainWindow::on_actionOpen_triggered(bool)
{
    const QString folder = history.existingHistoryFolder();
    const QString path = folder.isEmpty()
        ? dialogs->openFileName(QStringLiteral(" "), QString(), kProjectFilter)
        : dialogs->openFileName(QStringLiteral("打开Vardex文件"), folder, kProjectFilter);
    if (!path.isEmpty())
        openProjectFile(path);
}

bool MainWindow::openProjectFile(const QString &path)
{
    if (isProjectOpen() && !closeProject())
        return false;
    const QFileInfo file(path);
    auto *db = new LibDORE(this);
    if (!file.isFile() || !db->open(file.absoluteFilePath())) {
        dialogs->critical(QStringLiteral("打开工程"),
                          QStringLiteral("无法打开工程文件 %1。%2")
                              .arg(QDir::toNativeSeparators(path), db->lastError().text()));
        delete db;
        return false;
    }
    if (!index->openProject(file.absolutePath(), db)) {  // not a project file: refused, untouched
        delete db;
        return false;
    }
    database = db;
    openFile = file.absoluteFilePath();
    QDir::setCurrent(file.absolutePath());
    setWindowTitle(kOpenTitle + QStringLiteral(" -- ") + openFile);
    history.setHistoryPath(openFile);
    history.addRecentProject(openFile);
    refreshRecentProjects();
    setProjectOpenState(true);
    onRecalculateChanged();
    showStatusMessage(QStringLiteral("已打开工程 %1").arg(file.fileName()));
    return true;
}

void MainWindow::on_actionFileClose_triggerd(bool)
{
    closeProject();
}

bool MainWindow::closeProject()
{
    if (!isProjectOpen())
        return true;
    if (!settleUnsavedEdits())
        return false;
    index->clearModel();
    delete database;
    database = nullptr;
    openFile.clear();
    setProjectOpenState(false);
    setWindowTitle(kOpenTitle);
    return true;
}

void MainWindow::setProjectOpenState(bool open)
{
    MainRibbonControls *c = ribbonControls;
    for (QAction *a : {c->open, c->quickOpen, c->fileMerge})
        a->setEnabled(!open);
    for (QAction *a : {c->fileClose, c->quickClose, c->swapImpedance, c->smooth})
        a->setEnabled(open);
    if (!open) {
        setSaveEnabled(false);
        c->fileExport->setEnabled(false);
        c->swapImpedance->setChecked(false);
    }
}

void MainWindow::setSaveEnabled(bool on)
{
    ribbonControls->fileSave->setEnabled(on);
    ribbonControls->quickSave->setEnabled(on);
}

bool MainWindow::settleUnsavedEdits()
{
    if (!ribbonControls->fileSave->isEnabled())
        return true;
    const QMessageBox::StandardButton answer =
        askToSave(QStringLiteral("保存修改"), QStringLiteral("当前测点的曲线已修改，是否保存修改？"));
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Save)
        on_actionFileSave_triggerd();
    setSaveEnabled(false);
    return true;
}

void MainWindow::newProject()
{
    QString path = dialogs->saveFileName(QStringLiteral("新建工程文件"), history.existingHistoryFolder(),
                                         kProjectFilter);
    if (path.isEmpty())
        return;
    if (!isProjectFile(path))
        path += QStringLiteral(".HMT");
    QString error;
    if (!NewProjectFile::create(path, error)) {
        dialogs->critical(QStringLiteral("新建工程"), error);
        return;
    }
    openProjectFile(path);
}

void MainWindow::refreshRecentProjects()
{
    ribbonBar()->systemMenu()->setRecentFiles(history.recentProjects());
}

// ---- commands ----

void MainWindow::on_actionFileMerge_triggerd(bool)
{
    Dialog_MergeData(*dialogs, this).exec();
}

void MainWindow::on_actionFileSave_triggerd(bool)
{
    index->saveCurves(impedance->editedCurve(Form_Impedance::PairExHy), impedance->editedCurve(Form_Impedance::PairEyHx),
                      impedance->editedCurve(Form_Impedance::PairEx2Hy),
                      impedance->editedCurve(Form_Impedance::PairMultiPolarity));
    impedance->markSaved();
    setSaveEnabled(false);
    showStatusMessage(QStringLiteral("已保存 %1 的曲线").arg(impedance->stationTitle()));
}

void MainWindow::on_actionFileExport_triggerd(bool)
{
    const QString folder = history.existingHistoryFolder();
    const QString path = dialogs->saveFileName(QStringLiteral("导出数据"),
                                               folder.isEmpty() ? QDir::currentPath() : folder,
                                               QStringLiteral("DAT文件(*.DAT)"));
    if (path.isEmpty())
        return;
    if (index->exportSection(path)) {
        history.setHistoryPath(path);
        showStatusMessage(QStringLiteral("已导出 %1").arg(QDir::toNativeSeparators(path)));
    }
    ribbonControls->fileExport->setEnabled(false);
}

void MainWindow::on_actionColorSetting_triggerd(bool)
{
    huebar->exec();
}

void MainWindow::on_action3DInvSetting_triggerd(bool)
{
    Dialog_3DInvSetting dialog(*dialogs, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    volumeSettings = dialog.settings();
    if (!isProjectOpen()) {
        showStatusMessage(QStringLiteral("三维设置已更新"));
        return;
    }
    Dialog_3DProcess(*index, volumeSettings, *dialogs, this).exec();
}

void MainWindow::on_actionSwapImp_triggerd(bool)
{
    index->swapCurves();
}

void MainWindow::on_actionSmooth_triggerd(bool)
{
    impedance->smoothCurves();
}

void MainWindow::on_setSaveTips(bool b)
{
    setSaveEnabled(b && isProjectOpen());
}

void MainWindow::on_setExportData(bool b)
{
    ribbonControls->fileExport->setEnabled(b && isProjectOpen());
}

void MainWindow::on_currentFormChanged(int id)
{
    if (id == pages->currentIndex() || id < 0 || id >= pages->count())
        return;
    pages->setCurrentIndex(id);
}

// ---- ribbon switches ----

void MainWindow::on_pointMoveCheckStateChanged(int state)
{
    if (state != Qt::Checked) {
        ribbonControls->lineMove->setChecked(true);
        return;
    }
    const QSignalBlocker block(ribbonControls->lineMove);
    ribbonControls->lineMove->setChecked(false);
    curveEditMode = 256;
    impedance->setCurveEditMode(curveEditMode);
}

void MainWindow::on_lineMoveCheckStateChanged(int state)
{
    if (state != Qt::Checked) {
        ribbonControls->pointMove->setChecked(true);
        return;
    }
    const QSignalBlocker block(ribbonControls->pointMove);
    ribbonControls->pointMove->setChecked(false);
    curveEditMode = 1;
    impedance->setCurveEditMode(curveEditMode);
}

void MainWindow::on_showExCheckStateChanged(int state)
{
    impedance->setShowX(state == Qt::Checked);
}

void MainWindow::on_showEyCheckStateChanged(int state)
{
    impedance->setShowY(state == Qt::Checked);
}

void MainWindow::on_showEzCheckStateChanged(int state)
{
    impedance->setShowZ(state == Qt::Checked);
}

void MainWindow::on_CohThresholdCheckStateChanged(int state)
{
    onStackingBoxChanged(0, state);
}

void MainWindow::on_MedRobustCheckStateChanged(int state)
{
    onStackingBoxChanged(1, state);
}

void MainWindow::on_MestRobustCheckStateChanged(int state)
{
    onStackingBoxChanged(2, state);
}

void MainWindow::onStackingBoxChanged(int position, int state)
{
    const QList<QCheckBox *> boxes = {ribbonControls->cohThreshold, ribbonControls->medRobust,
                                      ribbonControls->mestRobust};
    if (state != Qt::Checked) {
        boxes.at((position + 1) % boxes.size())->setChecked(true);
        return;
    }
    for (int i = 0; i < boxes.size(); ++i) {
        if (i == position)
            continue;
        const QSignalBlocker block(boxes.at(i));
        boxes.at(i)->setChecked(false);
    }
    // Choosing a stacking method ends the regression choice.
    const QSignalBlocker block(ribbonControls->regression);
    ribbonControls->regression->setChecked(false);
    emit signal_StackedMethodChanged(position + 1);
}

int MainWindow::stackingMethod() const
{
    const QList<QCheckBox *> boxes = {ribbonControls->cohThreshold, ribbonControls->medRobust,
                                      ribbonControls->mestRobust};
    for (int i = 0; i < boxes.size(); ++i)
        if (boxes.at(i)->isChecked())
            return i + 1;
    return RecordingProcessing::EstimatorPlain;
}

// The regression box sits beside the stacking boxes and leaves them as they are: checked, it
// chooses the regression; unchecked, the method of the checked stacking box again.
void MainWindow::on_RegressionCheckStateChanged(int state)
{
    emit signal_StackedMethodChanged(state == Qt::Checked ? int(RecordingProcessing::EstimatorRegression)
                                                          : stackingMethod());
}

void MainWindow::onRecalculateChanged()
{
    static const float lengths[] = {512, 4096, 8192, 16384, 32768, 65536, 131072};
    static const int counts[] = {30, 50, -1};
    const MainRibbonControls *c = ribbonControls;
    const int length = c->fftLength->currentIndex();
    param.fftLength = length >= 0 && length < 7 ? lengths[length] : -1.0f;
    param.fftCount = counts[qBound(0, c->fftCount->currentIndex(), 2)];
    param.trendCorrection = c->trendCorrection->currentIndex() == 0;
    param.tensorMode = c->computeMode->currentIndex() != 0;
    param.recomputeImpedance = c->recalculate->currentIndex() != 0;
    param.frequencyDensity = c->frequencyCount->currentIndex();
    param.spareValue = 0;
    emit RecalculateChanged(param);
}

// ---- window ----

void MainWindow::showStatusMessage(const QString &text)
{
    statusBar()->showMessage(text, 5000);
}

void MainWindow::showUserGuide()
{
    QDialog guide(this);
    guide.setWindowTitle(QStringLiteral("使用说明"));
    auto *layout = new QVBoxLayout(&guide);
    auto *text = new QTextBrowser;
    text->setSource(QUrl(QStringLiteral("qrc:/Res/guide.html")));
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, &guide, &QDialog::reject);
    layout->addWidget(buttons);
    guide.resize(720, 620);
    guide.exec();
}

QString MainWindow::aboutText() const
{
    return QStringLiteral("<h3>Veltrona</h3><p>大地电磁数据处理软件</p>"
                          "<p>处理大地电磁与音频大地电磁野外记录：视电阻率与相位曲线、曲线编辑、"
                          "张量分析、电阻率断面与数据导出。</p>");
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (closePending) {
        event->ignore();
        return;
    }
    if (work->isBusy()) {
        const QMessageBox::StandardButton answer = QMessageBox::question(
            this, QStringLiteral("正在计算"), QStringLiteral("计算尚未完成。是否取消计算并退出？"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes) {
            event->ignore();
            return;
        }
        // The hub command that started the work is still on the call stack: the project closes
        // once it has stored nothing and returned.
        work->cancelAndWait();
        closePending = true;
        event->ignore();
        QTimer::singleShot(0, this, &MainWindow::closeOnceIdle);
        return;
    }
    if (!closeProject()) {
        event->ignore();
        return;
    }
    saveFrameState();
    event->accept();
}

void MainWindow::runHubComputationsInBackground()
{
    index->setComputationRunner([this](const QString &title,
                                       const std::function<void(WorkFeedback &)> &computation) {
        return work->run(title, computation) == LongWork::Finished;
    });
}

void MainWindow::closeOnceIdle()
{
    if (work->isBusy() || QThread::currentThread()->loopLevel() > workLoopLevel) {
        QTimer::singleShot(LongWork::kPollMs, this, &MainWindow::closeOnceIdle);
        return;
    }
    closePending = false;
    close();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedProjectFile(event->mimeData()).isEmpty() && !work->isBusy())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedProjectFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openProjectFile(path);
}
