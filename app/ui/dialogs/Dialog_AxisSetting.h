#pragma once
// The axis-range dialog of the impedance view: highest and lowest frequency, apparent
// resistivity, depth and true resistivity. OK reads the eight fields and emits them in that
// order with ChartAxisChanged, then closes; a field that is not a positive number, or a pair
// whose highest value is not above its lowest, is named in the dialog and keeps it open.
// Cancel closes without a signal.

#include <QDialog>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

class Dialog_AxisSetting : public QDialog {
    Q_OBJECT
public:
    explicit Dialog_AxisSetting(QWidget *parent = nullptr);

    // Fills the fields (frequencies in Hz, resistivities in ohm-m, depths in m).
    void setValues(double freqMax, double freqMin, double appMax, double appMin, double depMax,
                   double depMin, double trueMax, double trueMin);

signals:
    void ChartAxisChanged(float freqMax, float freqMin, float appMax, float appMin, float depMax,
                          float depMin, float trueMax, float trueMin);

private slots:
    void on_pushButtonOK_clicked();
    void on_pushButtonCancle_clicked();

private:
    QLineEdit *addField(QGridLayout *grid, int row, int column, const QString &label,
                        const QString &objectName);
    // The first problem with the fields, or an empty text when all eight are usable.
    QString problem() const;

    QLineEdit *lineEdit_MaxFreq;
    QLineEdit *lineEdit_MinFreq;
    QLineEdit *lineEdit_MaxAppR;
    QLineEdit *lineEdit_MinAppR;
    QLineEdit *lineEdit_MaxDepth;
    QLineEdit *lineEdit_MinDepth;
    QLineEdit *lineEdit_MaxTrueR;
    QLineEdit *lineEdit_MinTrueR;
    QLabel *message;
    QPushButton *pushButtonOK;
    QPushButton *pushButtonCancle;
};
