#include "Form_Project.h"

#include <QAction>
#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include "ProjectTreeDelegate.h"
#include "TreeModel_Index.h"

Form_Project::Form_Project(QWidget *parent)
    : QWidget(parent), tabs(new QTabWidget), tree(new QTreeView), pointMenu(new QMenu(this)),
      lineMenuWidget(new QMenu(this))
{
    setObjectName(QStringLiteral("Form_Project"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    tree->setObjectName(QStringLiteral("treeView"));
    tree->setHeaderHidden(true);
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setUniformRowHeights(true);
    tree->setItemDelegate(new ProjectTreeDelegate(tree));
    tabs->setObjectName(QStringLiteral("tabWidget"));
    tabs->addTab(tree, QStringLiteral("工程索引"));
    tabs->setDocumentMode(true);
    layout->addWidget(tabs);
    connect(tree, &QTreeView::doubleClicked, this, &Form_Project::on_treeView_doubleClicked);
    connect(tree, &QWidget::customContextMenuRequested, this, &Form_Project::on_ShowContextMenu);
    buildMenus();
}

void Form_Project::buildMenus()
{
    addMenuAction(pointMenu, "actionClear", QStringLiteral("清除信息"),
                  &Form_Project::on_ClearPointsInfotriggle);
    addMenuAction(pointMenu, "actionExportEDI", QStringLiteral("导出EDI数据"),
                  &Form_Project::onaction_PointExportEDI_triggle);
    addMenuAction(pointMenu, "actionShowTensor", QStringLiteral("Show tensor information"),
                  &Form_Project::onaction_ShowTensor_triggle)->setEnabled(false);
    addMenuAction(lineMenuWidget, "actionNLLSInvertTM", QStringLiteral("二维NLLS反演TM"),
                  &Form_Project::onactionNLLSInvertTM_triggle);
    addMenuAction(lineMenuWidget, "actionNLCGInvertTM", QStringLiteral("二维NLCG反演TM"),
                  &Form_Project::onactionNLCGInvertTM_triggle);
    addMenuAction(lineMenuWidget, "actionExportEDI", QStringLiteral("导出EDI数据"),
                  &Form_Project::onaction_ExportEDI_triggle)->setEnabled(false);
    addMenuAction(lineMenuWidget, "actionExportRawData", QStringLiteral("导出视电阻率/相位"),
                  &Form_Project::onActionExportRawData_triggle);
    addMenuAction(lineMenuWidget, "actionExportEH4", QStringLiteral("导出EH4数据"),
                  &Form_Project::onActionExportEH4_triggle);
    addMenuAction(lineMenuWidget, "actionExportSpectrum", QStringLiteral("导出所有频谱数据"),
                  &Form_Project::onActionSaveALLSpectrum);
}

QAction *Form_Project::addMenuAction(QMenu *menu, const QString &name, const QString &text,
                                     void (Form_Project::*slot)(bool))
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void Form_Project::setHub(TreeModel_Index *model)
{
    hub = model;
    tree->setModel(hub);
    connect(hub, &TreeModel_Index::modelChange, this, &Form_Project::modelChanged);
}

void Form_Project::setRecordingOpener(std::function<void(int, int, int)> opener)
{
    recordingOpener = std::move(opener);
}

void Form_Project::modelChanged()
{
    tree->collapseAll();
    previousLineRow = -1;
}

void Form_Project::on_treeView_doubleClicked(const QModelIndex &index)
{
    if (!hub || !index.isValid())
        return;
    const TreeModel::ItemRows rows = TreeModel::rowsOf(index);
    if (rows.line != previousLineRow) {
        if (previousLineRow >= 0)
            tree->collapse(hub->index(previousLineRow, 0));
        previousLineRow = rows.line;
    }
    if (rows.recording < 0) {
        hub->showStation(rows.line, rows.station, rows.recording);
        return;
    }
    emit TimeSeriesIsChoosed();
    if (recordingOpener)
        recordingOpener(rows.line, rows.station, rows.recording);
    else
        hub->openRecording(rows.line, rows.station, rows.recording);
}

void Form_Project::on_ShowContextMenu(const QPoint &point)
{
    lineRow = -1;
    stationRow = -1;
    const QModelIndex index = tree->indexAt(point);
    if (!index.isValid())
        return;
    const TreeModel::ItemRows rows = TreeModel::rowsOf(index);
    if (rows.recording >= 0)
        return;
    lineRow = rows.line;
    stationRow = rows.station;
    (rows.station >= 0 ? pointMenu : lineMenuWidget)->popup(QCursor::pos());
}

void Form_Project::on_ClearPointsInfotriggle(bool)
{
    if (hub)
        hub->clearStation(lineRow, stationRow);
}

void Form_Project::onaction_PointExportEDI_triggle(bool)
{
    if (hub)
        hub->exportEDI(lineRow, stationRow);
}

void Form_Project::onaction_ShowTensor_triggle(bool) {}

void Form_Project::onactionNLLSInvertTM_triggle(bool)
{
    if (hub)
        hub->runNLLS(lineRow);
}

void Form_Project::onactionNLCGInvertTM_triggle(bool)
{
    if (hub)
        hub->runNLCG(lineRow);
}

void Form_Project::onactionNLCGInvertTE_triggle(bool) {}

void Form_Project::onaction_ExportEDI_triggle(bool) {}

void Form_Project::onActionExportRawData_triggle(bool)
{
    if (hub)
        hub->exportRawData(lineRow);
}

void Form_Project::onActionExportEH4_triggle(bool)
{
    if (hub)
        hub->exportEH4(lineRow);
}

void Form_Project::onActionSaveALLSpectrum(bool)
{
    if (hub)
        hub->exportLineSpectrum(lineRow);
}
