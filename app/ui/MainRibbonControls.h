#pragma once
// The controls of the main window's ribbon: the page "&主页" with its groups "文件", "时序分析",
// "数据预处理" and "数据反演", the quick-access bar and the system menu, with their labels,
// icons, tooltips, shortcuts and initial states. The window connects them to its handlers.

#include <QObject>

class QAction;
class QCheckBox;
class QComboBox;
class RibbonBar;
class RibbonGroup;

class MainRibbonControls : public QObject {
    Q_OBJECT
public:
    // Builds everything on ribbon; the actions belong to this object.
    explicit MainRibbonControls(RibbonBar *ribbon, QObject *parent = nullptr);

    // "文件"
    QAction *fileMerge, *open, *fileSave, *fileExport, *fileClose;
    // "时序分析"
    QComboBox *fftLength, *trendCorrection, *fftCount, *frequencyCount;
    // "数据预处理"
    QComboBox *recalculate, *computeMode;
    QAction *magneticSwap, *swapImpedance, *smooth;
    QCheckBox *pointMove, *lineMove, *showX, *showY, *showZ;
    QCheckBox *cohThreshold, *medRobust, *mestRobust;
    QCheckBox *regression;  // the robust tensor regression with error bars, beside the stacking boxes
    // "数据反演"
    QAction *colorSetting, *invSetting3D;
    // Quick-access bar and system menu.
    QAction *newProject, *quickOpen, *quickSave, *quickClose, *help, *options, *exit;

    // Every action and embedded widget of the page, for enabling the ribbon as a whole.
    QList<QObject *> pageControls() const;

private:
    QAction *action(const QString &name, const QString &text, const QString &icon = QString());
    QComboBox *combo(const QString &name, const QStringList &items, int index);
    QCheckBox *check(const QString &name, const QString &text, const QString &tip, bool on);
    void buildFileGroup(RibbonGroup *group);
    void buildTimeSeriesGroup(RibbonGroup *group);
    void buildPreprocessingGroup(RibbonGroup *group);
    void buildInversionGroup(RibbonGroup *group);
    void buildQuickAccessAndSystemMenu(RibbonBar *ribbon);
};
