#pragma once
// The settings of the 3-D resistivity volume: reference space, curve, search radius, the
// horizontal, vertical and layer coefficients, the surveyed station coordinates read from a
// file, the lowest elevation and the depth and smoothing coefficients. OK is enabled only while
// at least three coordinate points are loaded; the caller copies the record after Accepted.

#include <QDialog>

#include "VolumeSettings.h"

class OperatorDialogs;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

class Dialog_3DInvSetting : public QDialog {
    Q_OBJECT
public:
    // dialogs chooses the coordinate file.
    explicit Dialog_3DInvSetting(OperatorDialogs &dialogs, QWidget *parent = nullptr);

    VolumeSettings settings() const { return volume; }

private slots:
    void on_comboBox_Refer_currentIndexChanged(int index);
    void on_pushButton_Open_clicked();
    void on_pushButton_OK_clicked();
    void on_pushButton_Cancle_clicked();

private:
    QComboBox *addCombo(QGridLayout *grid, int row, const QString &label, const QString &name,
                        const QStringList &items);
    QLineEdit *addEdit(QGridLayout *grid, int row, const QString &label, const QString &name,
                       double value);
    void addCoordinateRow(QGridLayout *grid, int row);
    QLayout *buttonRow();
    void showPointCount();

    OperatorDialogs &dialogs;
    VolumeSettings volume;
    QComboBox *referCombo = nullptr;
    QComboBox *dataCombo = nullptr;
    QLineEdit *radiusEdit = nullptr;
    QLineEdit *xEdit = nullptr;
    QLineEdit *yEdit = nullptr;
    QLineEdit *zEdit = nullptr;
    QLineEdit *coordinateFileEdit = nullptr;
    QLabel *pointCount = nullptr;
    QLineEdit *minTopoEdit = nullptr;
    QLineEdit *invEdit = nullptr;
    QLineEdit *constraintEdit = nullptr;
    QPushButton *okButton = nullptr;
};
