#pragma once
// Runs the hub's 3-D processing with the settings of the 3-D settings dialog: "开始反演" asks for
// the VTK image file to write, reads the stations' curves, then builds and writes the volume and
// its PNG depth slices on a worker thread while the progress bar follows it. Closing the dialog during a run stops it and
// writes nothing.

#include <QDialog>
#include <atomic>
#include <memory>

#include "VolumeRun.h"
#include "VolumeSettings.h"

class OperatorDialogs;
class QLabel;
class QProgressBar;
class QPushButton;
class QThread;
class TreeModel_Index;

class Dialog_3DProcess : public QDialog {
    Q_OBJECT
public:
    // hub and dialogs must outlive the dialog.
    Dialog_3DProcess(TreeModel_Index &hub, const VolumeSettings &settings, OperatorDialogs &dialogs,
                     QWidget *parent = nullptr);
    ~Dialog_3DProcess() override;

    bool isRunning() const { return worker != nullptr; }

public slots:
    void reject() override;

private slots:
    void on_pushButton_StartIPopulate_clicked();

private:
    QString chooseFile();
    void start(const QString &path);
    void finish();
    void stopWorker();

    TreeModel_Index &hub;
    VolumeSettings settings;
    OperatorDialogs &dialogs;
    VolumeRun run;
    VolumeRun::Outcome outcome;
    QStringList slicePictures;
    QThread *worker = nullptr;
    std::atomic<bool> stopRequested{false};
    QLabel *status = nullptr;
    QPushButton *startButton = nullptr;
    QProgressBar *progress = nullptr;
};
