#include "MainRibbonControls.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeySequence>

#include "ResourceIcon.h"
#include "RibbonBar.h"
#include "RibbonGroup.h"
#include "RibbonPage.h"
#include "RibbonQuickAccessBar.h"
#include "RibbonSystemButton.h"
#include "RibbonSystemMenu.h"

MainRibbonControls::MainRibbonControls(RibbonBar *ribbon, QObject *parent) : QObject(parent)
{
    RibbonPage *page = ribbon->addPage(QStringLiteral("&主页"));
    buildFileGroup(page->addGroup(QStringLiteral("文件")));
    buildTimeSeriesGroup(page->addGroup(QStringLiteral("时序分析")));
    buildPreprocessingGroup(page->addGroup(QStringLiteral("数据预处理")));
    buildInversionGroup(page->addGroup(QStringLiteral("数据反演")));
    buildQuickAccessAndSystemMenu(ribbon);
}

QAction *MainRibbonControls::action(const QString &name, const QString &text, const QString &icon)
{
    auto *a = new QAction(text, this);
    a->setObjectName(name);
    if (!icon.isEmpty())
        a->setIcon(ResourceIcon::load(icon));
    return a;
}

QComboBox *MainRibbonControls::combo(const QString &name, const QStringList &items, int index)
{
    auto *box = new QComboBox;
    box->setObjectName(name);
    box->addItems(items);
    box->setCurrentIndex(index);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

QCheckBox *MainRibbonControls::check(const QString &name, const QString &text, const QString &tip,
                                     bool on)
{
    auto *box = new QCheckBox(text);
    box->setObjectName(name);
    box->setToolTip(tip);
    box->setChecked(on);
    return box;
}

void MainRibbonControls::buildFileGroup(RibbonGroup *group)
{
    fileMerge = action("actionFileMerge", QStringLiteral("合并文件"), ":/Res/add_128px.png");
    open = action("actionOpen", QStringLiteral("打开"), ":/Res/OpenFile.png");
    open->setShortcut(QKeySequence::Open);
    fileSave = action("actionFileSave", QStringLiteral("保存"), ":/Res/file_save.ico");
    fileSave->setShortcut(QKeySequence::Save);
    fileExport = action("actionFileExport", QStringLiteral("数据导出"), ":/Res/export.png");
    fileClose = action("actionFileClose", QStringLiteral("Close"), ":/Res/CloseFile.png");
    fileClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    for (QAction *a : {fileMerge, open, fileSave, fileExport, fileClose})
        group->addLargeAction(a);
    for (QAction *a : {fileSave, fileExport, fileClose})
        a->setEnabled(false);
}

void MainRibbonControls::buildTimeSeriesGroup(RibbonGroup *group)
{
    fftLength = combo("comboFFTLength", {"512", "4096", "8192", "16384", "32768", "65536", "131072",
                                         QStringLiteral("采样率长度")}, 3);
    trendCorrection = combo("comboTrendCorrection", {QStringLiteral("使用校正"), QStringLiteral("不使用校正")}, 1);
    fftCount = combo("comboFFTCount", {"30", "50", QStringLiteral("所有数据")}, 0);
    frequencyCount = combo("comboFrequencyCount",
                           {QStringLiteral("每数量级10个频点"), QStringLiteral("每数量级12个频点"),
                            QStringLiteral("每数量级15个频点"), QStringLiteral("每数量级20个频点")}, 0);
    group->addCaptionedWidget(QStringLiteral("FFT长度"), fftLength);
    group->addCaptionedWidget(QStringLiteral("趋势校正"), trendCorrection);
    group->addCaptionedWidget(QStringLiteral("FFT个数"), fftCount);
    group->addCaptionedWidget(QStringLiteral("频率个数"), frequencyCount);
}

void MainRibbonControls::buildPreprocessingGroup(RibbonGroup *group)
{
    recalculate = combo("comboRecalculate", {QStringLiteral("不重新计算阻抗"), QStringLiteral("重新计算阻抗")}, 0);
    computeMode = combo("comboComputeMode", {QStringLiteral("标量计算"), QStringLiteral("张量计算"),
                                             QStringLiteral("多极化计算")}, 0);
    group->addCaptionedWidget(QStringLiteral("阻抗计算"), recalculate);
    group->addCaptionedWidget(QStringLiteral("计算模式"), computeMode);
    magneticSwap = action("actionMagneticSwap", QStringLiteral("磁场互换"), ":/Res/ooopic_1464924421.png");
    swapImpedance = action("actionSwapImp", QStringLiteral("阻抗互换"), ":/Res/swap_impedance.png");
    swapImpedance->setCheckable(true);
    smooth = action("actionSmooth", QStringLiteral("数据平滑"), ":/Res/Chart_Curve_24px.png");
    group->startColumn();
    for (QAction *a : {magneticSwap, swapImpedance, smooth}) {
        group->addSmallAction(a);
        a->setEnabled(false);
    }
    pointMove = check("checkPointMove", QStringLiteral("点移动"), QStringLiteral("数据某一道移动"), true);
    lineMove = check("checkLineMove", QStringLiteral("线移动"), QStringLiteral("数据整支曲线移动"), false);
    showX = check("checkShowX", QStringLiteral("显示X方向"), QStringLiteral("显示X方向数据"), true);
    showY = check("checkShowY", QStringLiteral("显示Y方向"), QStringLiteral("显示Y方向数据"), true);
    showZ = check("checkShowZ", QStringLiteral("显示Z方向"), QStringLiteral("显示Z方向数据"), true);
    cohThreshold = check("checkCohThreshold", QStringLiteral("相干度门限"),
                         QStringLiteral("按相干度门限叠加"), true);
    medRobust = check("checkMedRobust", QStringLiteral("中值稳健"), QStringLiteral("中值稳健估计"), false);
    mestRobust = check("checkMestRobust", QStringLiteral("M估计稳健"), QStringLiteral("M估计稳健估计"), false);
    regression = check("checkRegression", QStringLiteral("稳健回归"),
                       QStringLiteral("张量稳健回归估计，带误差棒"), false);
    for (QCheckBox *box : {pointMove, lineMove, showX, showY, showZ, cohThreshold, medRobust, mestRobust, regression}) {
        if (box == pointMove || box == showX || box == cohThreshold || box == regression)
            group->startColumn();
        group->addSmallWidget(box);
    }
}

void MainRibbonControls::buildInversionGroup(RibbonGroup *group)
{
    colorSetting = action("actionColorSetting", QStringLiteral("色谱调整"), ":/Res/contours.png");
    invSetting3D = action("action3DInvSetting", QStringLiteral("三维设置"), ":/Res/pq3DView16.png");
    group->addLargeAction(colorSetting);
    group->addLargeAction(invSetting3D);
}

void MainRibbonControls::buildQuickAccessAndSystemMenu(RibbonBar *ribbon)
{
    newProject = action("actionNew", QStringLiteral("新建"), ":/Res/new_project.png");
    newProject->setToolTip(QStringLiteral("新建一个工程文件"));
    newProject->setShortcut(QKeySequence::New);
    quickOpen = action("actionQuickOpen", QStringLiteral("打开"), ":/Res/file_32px.ico");
    quickOpen->setToolTip(QStringLiteral("打开一个工程文件"));
    quickSave = action("actionQuickSave", QStringLiteral("保存"), ":/Res/Save_32px.png");
    quickSave->setToolTip(QStringLiteral("保存数据到工程文件"));
    quickClose = action("actionQuickClose", QStringLiteral("关闭"), ":/Res/Close_up_32px.png");
    quickClose->setToolTip(QStringLiteral("关闭当前工程文件"));
    quickSave->setEnabled(false);
    quickClose->setEnabled(false);
    help = action("actionHelp", QStringLiteral("&Help"), ":/Res/help_browser_32px.png");
    help->setShortcut(QKeySequence::HelpContents);
    options = action("actionOptions", QStringLiteral("Options"));
    exit = action("actionExit", QStringLiteral("Exit"), ":/Res/application_exit_4_32px.png");

    for (QAction *a : {newProject, quickOpen, quickSave, quickClose, help})
        ribbon->quickAccessBar()->addAction(a);
    RibbonSystemMenu *menu = ribbon->systemMenu();
    for (QAction *a : {newProject, quickOpen, quickSave, quickClose})
        menu->addCommand(a);
    menu->addSeparator();
    menu->addCommand(help);
    menu->addFooterCommand(options);
    menu->addFooterCommand(exit);
    ribbon->systemButton()->setText(QStringLiteral("&File"));
    ribbon->systemButton()->setIcon(ResourceIcon::load(":/Res/logo-02.png"));
}

QList<QObject *> MainRibbonControls::pageControls() const
{
    return {fileMerge, open, fileSave, fileExport, fileClose, fftLength, trendCorrection, fftCount,
            frequencyCount, recalculate, computeMode, magneticSwap, swapImpedance, smooth, pointMove,
            lineMove, showX, showY, showZ, cohThreshold, medRobust, mestRobust, regression,
            colorSetting, invSetting3D};
}
