#include "Dialog_InvsionParam.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DialogLayout.h"
#include "OperatorDialogs.h"
#include "OperatorMessages.h"
#include "TopographyFile.h"

Dialog_InvsionParam::Dialog_InvsionParam(OperatorDialogs &dialogs, QWidget *parent)
    : QDialog(parent), dialogs(dialogs)
{
    setWindowTitle(QStringLiteral("Dialog"));
    setMinimumSize(327, 301);
    auto *grid = new QGridLayout;
    constraintEdit = addEdit(grid, 0, QStringLiteral("约束系数"), QStringLiteral("lineEdit_Constraint"));
    smoothEdit = addEdit(grid, 1, QStringLiteral("反演系数"), QStringLiteral("lineEdit_Smooth"));
    minTopoEdit = addEdit(grid, 2, QStringLiteral("最低高程"), QStringLiteral("lineEdit_MinTopo"));
    addTopographyRow(grid, 3);
    addDirectionRow(grid, 4);
    startPointEdit = addEdit(grid, 5, QStringLiteral("起点里程"), QStringLiteral("lineEdit_startPoint"));
    grid->addWidget(new QLabel(QStringLiteral("（米）")), 5, 2);
    endPointEdit = addEdit(grid, 6, QStringLiteral("终点里程"), QStringLiteral("lineEdit_endPoint"));
    grid->addWidget(new QLabel(QStringLiteral("（米）")), 6, 2);
    addBandRow(grid, 7);
    auto *column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addStretch(1);
    column->addLayout(buttonRow());
    showDefaults();
    QMetaObject::connectSlotsByName(this);
}

QLineEdit *Dialog_InvsionParam::addEdit(QGridLayout *grid, int row, const QString &label,
                                        const QString &name)
{
    auto *edit = DialogLayout::namedEdit(name, this);
    grid->addWidget(DialogLayout::label(label, edit), row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

void Dialog_InvsionParam::addTopographyRow(QGridLayout *grid, int row)
{
    topographyFileEdit = DialogLayout::namedEdit(QStringLiteral("lineEdit"), this);
    topographyFileEdit->setReadOnly(true);
    grid->addWidget(DialogLayout::label(QStringLiteral("高程"), topographyFileEdit), row, 0);
    grid->addWidget(topographyFileEdit, row, 1);
    grid->addWidget(DialogLayout::namedButton(QStringLiteral("浏览"),
                                              QStringLiteral("pushButton_topo"), this), row, 2);
}

void Dialog_InvsionParam::addDirectionRow(QGridLayout *grid, int row)
{
    directionCombo = new QComboBox(this);
    directionCombo->setObjectName(QStringLiteral("comboBox"));
    directionCombo->addItems({QStringLiteral("Ex"), QStringLiteral("Ey"), QStringLiteral("Ex2"),
                              QStringLiteral("MPMT")});
    grid->addWidget(DialogLayout::label(QStringLiteral("数据方向"), directionCombo), row, 0);
    grid->addWidget(directionCombo, row, 1);
}

void Dialog_InvsionParam::addBandRow(QGridLayout *grid, int row)
{
    freqMaxEdit = DialogLayout::namedEdit(QStringLiteral("FreqMax_lineEdit"), this);
    freqMinEdit = DialogLayout::namedEdit(QStringLiteral("FreqMin_lineEdit"), this);
    auto *band = new QHBoxLayout;
    band->addWidget(freqMaxEdit, 1);
    band->addWidget(new QLabel(QStringLiteral("—")));
    band->addWidget(freqMinEdit, 1);
    grid->addWidget(DialogLayout::label(QStringLiteral("起止频率"), freqMaxEdit), row, 0);
    grid->addLayout(band, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Hz")), row, 2);
}

QLayout *Dialog_InvsionParam::buttonRow()
{
    QPushButton *ok = DialogLayout::namedButton(QStringLiteral("确定"), QStringLiteral("pushButton"), this);
    ok->setDefault(true);
    return DialogLayout::buttonRow(
        {ok, DialogLayout::namedButton(QStringLiteral("取消"), QStringLiteral("pushButton_2"), this)});
}

void Dialog_InvsionParam::showDefaults()
{
    constraintEdit->setText(QStringLiteral("1.0"));
    smoothEdit->setText(QStringLiteral("0.3"));
    minTopoEdit->setText(QStringLiteral("0"));
    directionCombo->setCurrentIndex(0);
    startPointEdit->setText(QStringLiteral("-1"));
    endPointEdit->setText(QStringLiteral("-1"));
    freqMaxEdit->setText(QStringLiteral("100000"));
    freqMinEdit->setText(QStringLiteral("1"));
}

void Dialog_InvsionParam::on_pushButton_clicked()
{
    parameters.constraint = constraintEdit->text().toDouble();
    parameters.smooth = smoothEdit->text().toDouble();
    parameters.minTopo = minTopoEdit->text().toDouble();
    parameters.direction = directionCombo->currentIndex();
    parameters.startPoint = startPointEdit->text().toDouble();
    parameters.endPoint = endPointEdit->text().toDouble();
    parameters.freqMax = freqMaxEdit->text().toDouble();
    parameters.freqMin = freqMinEdit->text().toDouble();
    accept();
}

void Dialog_InvsionParam::on_pushButton_2_clicked()
{
    reject();
}

// Escape and the window's close button cancel as well, so the caller never sees a topography
// the operator walked away from.
void Dialog_InvsionParam::reject()
{
    parameters = InversionParam();
    topographyFileEdit->clear();
    showDefaults();
    QDialog::reject();
}

void Dialog_InvsionParam::on_pushButton_topo_clicked()
{
    const QString path = dialogs.openFileName(QStringLiteral("打开文件"), QDir::currentPath(),
                                              QStringLiteral("高程文件 (*.dat)"));
    if (path.isEmpty())
        return;
    QList<double> duplicates;
    if (!TopographyFile::read(path, parameters.topography, duplicates)) {
        topographyFileEdit->clear();
        dialogs.warning(QStringLiteral("提示"), QStringLiteral("无法打开高程文件：%1").arg(path));
        return;
    }
    topographyFileEdit->setText(path);
    if (!duplicates.isEmpty())
        showInformation(dialogs, OperatorMessages::topographyDuplicates(duplicates));
}
