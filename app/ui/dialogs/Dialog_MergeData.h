#pragma once
// Merges the survey lines of project file B into project file A: lines of B whose number A has
// get B's stations appended, the others are created. The operator opens both files, runs the
// merge once (the merge button is disabled afterwards, so B is never appended twice in one
// opening) and confirms. The merge itself is the core's: one transaction on A, rolled back on any
// failed write, refused until both files are open.

#include <QDialog>
#include <memory>

class LibDORE;
class OperatorDialogs;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QTextEdit;

class Dialog_MergeData : public QDialog {
    Q_OBJECT
public:
    // dialogs chooses the files and shows the merge's boxes.
    explicit Dialog_MergeData(OperatorDialogs &dialogs, QWidget *parent = nullptr);
    ~Dialog_MergeData() override;

private slots:
    void on_pushButton_OpenA_clicked();
    void on_pushButton_OpenB_clicked();
    void on_pushButton_clicked();
    void on_pushButton_OK_clicked();
    void on_pushButton_No_clicked();

private:
    void addFileRow(QGridLayout *grid, int row, const QString &label, const QString &editName,
                    const QString &buttonName);
    QTextEdit *note();
    QLayout *buttonRow();
    // The project chosen by the operator, opened with the project schema; null when no file was
    // chosen or it could not be opened. path receives the file chosen.
    std::unique_ptr<LibDORE> openProject(const QString &caption, QString &path);

    OperatorDialogs &dialogs;
    std::unique_ptr<LibDORE> projectA;
    std::unique_ptr<LibDORE> projectB;
    QLineEdit *pathA = nullptr;
    QLineEdit *pathB = nullptr;
    QPushButton *mergeButton = nullptr;
    QPushButton *okButton = nullptr;
};
