#pragma once
// The parameters of a line's one-dimensional depth section: depth factor, smoothing, lowest
// elevation, the line's topography from an elevation file, the curve, the station range and the
// frequency band. The caller copies the record out after exec returns; Cancel (or Escape) leaves
// the defaults with an empty topography, which the caller reports.

#include <QDialog>

#include "InversionParam.h"

class OperatorDialogs;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

class Dialog_InvsionParam : public QDialog {
    Q_OBJECT
public:
    // dialogs chooses the elevation file and shows the repeated-position message.
    explicit Dialog_InvsionParam(OperatorDialogs &dialogs, QWidget *parent = nullptr);

    InversionParam param() const { return parameters; }

public slots:
    void reject() override;

private slots:
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_topo_clicked();

private:
    QLineEdit *addEdit(QGridLayout *grid, int row, const QString &label, const QString &name);
    void addTopographyRow(QGridLayout *grid, int row);
    void addDirectionRow(QGridLayout *grid, int row);
    void addBandRow(QGridLayout *grid, int row);
    QLayout *buttonRow();
    void showDefaults();

    OperatorDialogs &dialogs;
    InversionParam parameters;
    QLineEdit *constraintEdit = nullptr;
    QLineEdit *smoothEdit = nullptr;
    QLineEdit *minTopoEdit = nullptr;
    QLineEdit *topographyFileEdit = nullptr;
    QComboBox *directionCombo = nullptr;
    QLineEdit *startPointEdit = nullptr;
    QLineEdit *endPointEdit = nullptr;
    QLineEdit *freqMaxEdit = nullptr;
    QLineEdit *freqMinEdit = nullptr;
};
