#pragma once
// The project dock's page: a tab "工程索引" holding the project tree on the hub. A double click
// opens what it names (a station's curves, a recording, or a line's depth section); a right
// click on a station or a line opens that item's menu of exports and runs. The rows of the last
// context-menu request are kept until the next one and passed to the hub by the menu's actions.

#include <QWidget>
#include <functional>

class QAction;
class QMenu;
class QTabWidget;
class QTreeView;
class TreeModel_Index;

class Form_Project : public QWidget {
    Q_OBJECT
public:
    explicit Form_Project(QWidget *parent = nullptr);

    // Shows the hub's tree; called once by the main window.
    void setHub(TreeModel_Index *hub);
    // Recording opens go through this function when set (the window runs them as long work);
    // otherwise straight to the hub.
    void setRecordingOpener(std::function<void(int line, int station, int recording)> opener);

    QTreeView *treeView() const { return tree; }
    QMenu *stationMenu() const { return pointMenu; }
    QMenu *lineMenu() const { return lineMenuWidget; }
    int menuLineRow() const { return lineRow; }
    int menuStationRow() const { return stationRow; }

signals:
    void TimeSeriesIsChoosed();

public slots:
    void modelChanged();
    void on_treeView_doubleClicked(const QModelIndex &index);
    void on_ShowContextMenu(const QPoint &point);

    void on_ClearPointsInfotriggle(bool checked = false);
    void onaction_PointExportEDI_triggle(bool checked = false);
    void onaction_ShowTensor_triggle(bool checked = false);
    void onactionNLLSInvertTM_triggle(bool checked = false);
    void onactionNLCGInvertTM_triggle(bool checked = false);
    void onactionNLCGInvertTE_triggle(bool checked = false);
    void onaction_ExportEDI_triggle(bool checked = false);
    void onActionExportRawData_triggle(bool checked = false);
    void onActionExportEH4_triggle(bool checked = false);
    void onActionSaveALLSpectrum(bool checked = false);

private:
    void buildMenus();
    QAction *addMenuAction(QMenu *menu, const QString &name, const QString &text,
                           void (Form_Project::*slot)(bool));

    QTabWidget *tabs;
    QTreeView *tree;
    QMenu *pointMenu;
    QMenu *lineMenuWidget;
    TreeModel_Index *hub = nullptr;
    std::function<void(int, int, int)> recordingOpener;
    int lineRow = -1;
    int stationRow = -1;
    int previousLineRow = -1;
};
