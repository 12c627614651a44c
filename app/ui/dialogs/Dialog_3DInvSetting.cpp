#include "Dialog_3DInvSetting.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "CoordinateFile.h"
#include "DialogLayout.h"
#include "OperatorDialogs.h"

namespace {

constexpr int kMinimumPoints = 3;

QString numberText(double value)
{
    return QString::number(value, 'f', 1);
}

} // namespace

Dialog_3DInvSetting::Dialog_3DInvSetting(OperatorDialogs &dialogs, QWidget *parent)
    : QDialog(parent), dialogs(dialogs)
{
    setWindowTitle(QStringLiteral("Dialog_3DInvSetting"));
    auto *grid = new QGridLayout;
    referCombo = addCombo(grid, 0, QStringLiteral("三维参考空间"), QStringLiteral("comboBox_Refer"),
                          {QStringLiteral("层状半空间"), QStringLiteral("非层状半空间")});
    dataCombo = addCombo(grid, 1, QStringLiteral("数据选择"), QStringLiteral("comboBox_DataChoose"),
                         {QStringLiteral("TE 模式"), QStringLiteral("TM 模式")});
    radiusEdit = addEdit(grid, 2, QStringLiteral("相关搜索半径(米)"), QStringLiteral("lineEdit_SearchRadius"),
                         volume.searchRadius);
    xEdit = addEdit(grid, 3, QStringLiteral("同平面系数"), QStringLiteral("lineEdit_XCof"), volume.xCoefficient);
    yEdit = addEdit(grid, 4, QStringLiteral("测深方向系数"), QStringLiteral("lineEdit_yCof"), volume.yCoefficient);
    zEdit = addEdit(grid, 5, QStringLiteral("层状空间系数"), QStringLiteral("lineEdit_zCof"), volume.zCoefficient);
    addCoordinateRow(grid, 6);
    minTopoEdit = addEdit(grid, 8, QStringLiteral("最低高程"), QStringLiteral("lineEdit_Mintopo"), volume.minTopo);
    invEdit = addEdit(grid, 9, QStringLiteral("反演系数"), QStringLiteral("lineEdit_InvCof"),
                      volume.inversionCoefficient);
    constraintEdit = addEdit(grid, 10, QStringLiteral("约束系数"), QStringLiteral("lineEdit_Constrain"),
                             volume.constraintCoefficient);
    auto *column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addStretch(1);
    column->addLayout(buttonRow());
    setMinimumWidth(360);
    QMetaObject::connectSlotsByName(this);
}

QComboBox *Dialog_3DInvSetting::addCombo(QGridLayout *grid, int row, const QString &label,
                                         const QString &name, const QStringList &items)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(name);
    combo->addItems(items);
    grid->addWidget(DialogLayout::label(label, combo), row, 0);
    grid->addWidget(combo, row, 1, 1, 2);
    return combo;
}

QLineEdit *Dialog_3DInvSetting::addEdit(QGridLayout *grid, int row, const QString &label,
                                        const QString &name, double value)
{
    QLineEdit *edit = DialogLayout::namedEdit(name, this);
    edit->setText(numberText(value));
    grid->addWidget(DialogLayout::label(label, edit), row, 0);
    grid->addWidget(edit, row, 1, 1, 2);
    return edit;
}

void Dialog_3DInvSetting::addCoordinateRow(QGridLayout *grid, int row)
{
    coordinateFileEdit = DialogLayout::namedEdit(QStringLiteral("lineEdit"), this);
    coordinateFileEdit->setReadOnly(true);
    grid->addWidget(DialogLayout::label(QStringLiteral("空间坐标"), coordinateFileEdit), row, 0);
    grid->addWidget(coordinateFileEdit, row, 1);
    grid->addWidget(DialogLayout::namedButton(QStringLiteral("打开"), QStringLiteral("pushButton_Open"), this),
                    row, 2);
    pointCount = new QLabel(this);
    pointCount->setObjectName(QStringLiteral("label_PointCount"));
    pointCount->setEnabled(false);
    grid->addWidget(pointCount, row + 1, 1, 1, 2);
}

QLayout *Dialog_3DInvSetting::buttonRow()
{
    okButton = DialogLayout::namedButton(QStringLiteral("确定"), QStringLiteral("pushButton_OK"), this);
    okButton->setDefault(true);
    QPushButton *cancel =
        DialogLayout::namedButton(QStringLiteral("取消"), QStringLiteral("pushButton_Cancle"), this);
    showPointCount();
    return DialogLayout::buttonRow({okButton, cancel});
}

void Dialog_3DInvSetting::showPointCount()
{
    const int count = volume.points.size();
    pointCount->setText(count >= kMinimumPoints
                            ? QStringLiteral("已读入 %1 个坐标点").arg(count)
                            : QStringLiteral("已读入 %1 个坐标点（至少需要 %2 个）").arg(count).arg(kMinimumPoints));
    okButton->setEnabled(count >= kMinimumPoints);
}

void Dialog_3DInvSetting::on_comboBox_Refer_currentIndexChanged(int index)
{
    volume.layered = index == 0;
    zEdit->setEnabled(volume.layered);
    if (!volume.layered)
        zEdit->setText(QStringLiteral("0.0"));
}

void Dialog_3DInvSetting::on_pushButton_Open_clicked()
{
    const QString path = dialogs.openFileName(QStringLiteral("打开文件"), QDir::currentPath(),
                                              QStringLiteral(" (*.dat)"));
    if (path.isEmpty())
        return;
    if (!CoordinateFile::read(path, volume.points)) {
        coordinateFileEdit->clear();
        dialogs.warning(QStringLiteral("提示"), QStringLiteral("无法打开坐标文件：%1").arg(path));
    } else {
        coordinateFileEdit->setText(path);
    }
    showPointCount();
}

void Dialog_3DInvSetting::on_pushButton_OK_clicked()
{
    volume.dataChoice = dataCombo->currentIndex();
    volume.searchRadius = radiusEdit->text().toDouble();
    volume.xCoefficient = xEdit->text().toDouble();
    volume.yCoefficient = yEdit->text().toDouble();
    volume.zCoefficient = volume.layered ? zEdit->text().toDouble() : 0.0;
    volume.minTopo = minTopoEdit->text().toDouble();
    volume.inversionCoefficient = invEdit->text().toDouble();
    volume.constraintCoefficient = constraintEdit->text().toDouble();
    accept();
}

void Dialog_3DInvSetting::on_pushButton_Cancle_clicked()
{
    reject();
}
