#pragma once
// The main window: the ribbon with the processing options and commands, the project tree dock,
// the three central views (impedance curves, time series, section) and the wiring between the
// project hub and the views. It owns the hub, the history file and, while a project is open, the
// project database.
//
// Beyond the ribbon's commands it offers what a desktop user expects: Ctrl+N/O/S/W and F1 (the
// user guide), recent projects in the system menu, a project given on the command line or
// dropped on the window, the plot position in the status bar, and a question about unsaved
// edits before a project or the window closes.

#include <QMessageBox>
#include <functional>

#include "ProcessingRecords.h"
#include "ProjectHistory.h"
#include "RibbonWindow.h"
#include "VolumeSettings.h"

class Dialog_Huebar;
class Form_2DInversion;
class Form_Impedance;
class Form_Project;
class Form_TimeSeries;
class LibDORE;
class LongWork;
class MainRibbonControls;
class OperatorDialogs;
class QLabel;
class QStackedWidget;
class TreeModel_Index;

class MainWindow : public RibbonWindow {
    Q_OBJECT
public:
    // The answer to "save changes?": Save, Discard or Cancel.
    using SaveQuestion = std::function<QMessageBox::StandardButton(const QString &title,
                                                                   const QString &text)>;

    // dialogs: the operator (the desktop dialogs in the program, a scripted one in tests); it
    // must outlive the window. historyFile: the path of "history.ini".
    explicit MainWindow(OperatorDialogs *dialogs,
                        const QString &historyFile = QStringLiteral("history.ini"),
                        QWidget *parent = nullptr);
    ~MainWindow() override;

    TreeModel_Index *hub() const { return index; }
    MainRibbonControls *controls() const { return ribbonControls; }
    Form_Project *projectForm() const { return formProject; }
    Form_Impedance *impedanceView() const { return impedance; }
    Form_TimeSeries *timeSeriesView() const { return timeSeries; }
    Form_2DInversion *sectionView() const { return section; }
    Dialog_Huebar *colourScaleDialog() const { return huebar; }
    LongWork *longWork() const { return work; }
    QStackedWidget *centralPages() const { return pages; }
    int currentForm() const;
    bool isProjectOpen() const { return database != nullptr; }
    QString projectFile() const { return openFile; }
    ReCalculateParam recalculateParam() const { return param; }
    int editMode() const { return curveEditMode; }

    // Opens the project file at path, closing the open one first (asking about unsaved edits).
    bool openProjectFile(const QString &path);
    void setSaveQuestion(SaveQuestion question) { askToSave = std::move(question); }

    static const QString kOpenTitle;      // "多极化大地电磁系统处理软件"

signals:
    void RecalculateChanged(ReCalculateParam param);
    void signal_StackedMethodChanged(int method);

public slots:
    void on_actionOpen_triggered(bool checked = false);
    void on_actionFileMerge_triggerd(bool checked = false);
    void on_actionFileClose_triggerd(bool checked = false);
    void on_actionFileSave_triggerd(bool checked = false);
    void on_actionFileExport_triggerd(bool checked = false);
    void on_actionColorSetting_triggerd(bool checked = false);
    void on_action3DInvSetting_triggerd(bool checked = false);
    void on_pointMoveCheckStateChanged(int state);
    void on_lineMoveCheckStateChanged(int state);
    void on_showExCheckStateChanged(int state);
    void on_showEyCheckStateChanged(int state);
    void on_showEzCheckStateChanged(int state);
    void on_CohThresholdCheckStateChanged(int state);
    void on_MedRobustCheckStateChanged(int state);
    void on_MestRobustCheckStateChanged(int state);
    void on_RegressionCheckStateChanged(int state);
    void onRecalculateChanged();
    void on_currentFormChanged(int id);
    void on_actionSwapImp_triggerd(bool checked = false);
    void on_actionSmooth_triggerd(bool checked = false);
    void on_setSaveTips(bool b);
    void on_setExportData(bool b);

    void newProject();
    void showUserGuide();
    void showStatusMessage(const QString &text);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    QString aboutText() const override;

private:
    void buildDock();
    void buildCentralPages();
    void buildStatusBar();
    void connectRibbon();
    void connectStackingBoxes();
    void connectHub();
    void connectViews();
    void setProjectOpenState(bool open);
    void setSaveEnabled(bool on);
    // Asks about unsaved edits; false when the operator cancels.
    bool settleUnsavedEdits();
    bool closeProject();
    // Runs the hub's long computations under the progress dialog, off the GUI thread.
    void runHubComputationsInBackground();
    // Closes the window once the long work has ended and the hub command that ran it has
    // returned (the event loop is back at the level it was started from); until then it checks again.
    void closeOnceIdle();
    void refreshRecentProjects();
    // Keeps exactly one of the three stacking boxes checked: a box checked clears the others and
    // emits its method; a box unchecked checks the next one of the cycle.
    void onStackingBoxChanged(int position, int state);
    // The method of the checked stacking box (1, 2 or 3).
    int stackingMethod() const;

    OperatorDialogs *dialogs;
    ProjectHistory history;
    TreeModel_Index *index;
    MainRibbonControls *ribbonControls;
    Form_Project *formProject = nullptr;
    Form_Impedance *impedance = nullptr;
    Form_TimeSeries *timeSeries = nullptr;
    Form_2DInversion *section = nullptr;
    Dialog_Huebar *huebar = nullptr;
    QStackedWidget *pages = nullptr;
    QLabel *positionLabel = nullptr;
    LongWork *work;
    // The event loop level the latest long work was started from.
    int workLoopLevel = 0;
    bool closePending = false;
    LibDORE *database = nullptr;
    QString openFile;
    ReCalculateParam param;
    int curveEditMode = 256;
    VolumeSettings volumeSettings;
    SaveQuestion askToSave;
};
