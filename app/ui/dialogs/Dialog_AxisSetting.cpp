#include "Dialog_AxisSetting.h"

#include "DialogLayout.h"

#include <QDoubleValidator>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString numberText(double value)
{
    return QString::number(value, 'g', 6);
}

// The field's value when it holds a positive number.
bool positiveValue(const QLineEdit *field, double &value)
{
    bool ok = false;
    value = field->text().trimmed().toDouble(&ok);
    return ok && value > 0.0;
}

} // namespace

Dialog_AxisSetting::Dialog_AxisSetting(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("坐标轴设置"));
    auto *grid = new QGridLayout;
    lineEdit_MaxFreq = addField(grid, 0, 0, QStringLiteral("最高频率(Hz)"), "lineEdit_MaxFreq");
    lineEdit_MinFreq = addField(grid, 0, 2, QStringLiteral("最低频率(Hz)"), "lineEdit_MinFreq");
    lineEdit_MaxAppR = addField(grid, 1, 0, QStringLiteral("最大视电阻率"), "lineEdit_MaxAppR");
    lineEdit_MinAppR = addField(grid, 1, 2, QStringLiteral("最低视电阻率"), "lineEdit_MinAppR");
    lineEdit_MaxDepth = addField(grid, 2, 0, QStringLiteral("最大深度(m)"), "lineEdit_MaxDepth");
    lineEdit_MinDepth = addField(grid, 2, 2, QStringLiteral("最小深度(m)"), "lineEdit_MinDepth");
    lineEdit_MaxTrueR = addField(grid, 3, 0, QStringLiteral("最大真电阻率"), "lineEdit_MaxTrueR");
    lineEdit_MinTrueR = addField(grid, 3, 2, QStringLiteral("最小真电阻率"), "lineEdit_MinTrueR");
    message = new QLabel(this);
    message->setStyleSheet(QStringLiteral("color: #b00020"));
    message->setWordWrap(true);
    pushButtonOK = DialogLayout::namedButton(QStringLiteral("确定"), QStringLiteral("pushButtonOK"), this);
    pushButtonOK->setDefault(true);
    pushButtonCancle =
        DialogLayout::namedButton(QStringLiteral("取消"), QStringLiteral("pushButtonCancle"), this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(message);
    layout->addLayout(DialogLayout::buttonRow({pushButtonOK, pushButtonCancle}));
    QMetaObject::connectSlotsByName(this);
}

QLineEdit *Dialog_AxisSetting::addField(QGridLayout *grid, int row, int column,
                                        const QString &label, const QString &objectName)
{
    QLineEdit *field = DialogLayout::namedEdit(objectName, this);
    field->setAccessibleName(label);
    field->setValidator(new QDoubleValidator(0.0, 1e12, 6, field));
    field->setMinimumWidth(110);
    grid->addWidget(DialogLayout::label(label, field), row, column, Qt::AlignRight);
    grid->addWidget(field, row, column + 1);
    return field;
}

void Dialog_AxisSetting::setValues(double freqMax, double freqMin, double appMax, double appMin,
                                   double depMax, double depMin, double trueMax, double trueMin)
{
    const double values[] = {freqMax, freqMin, appMax, appMin, depMax, depMin, trueMax, trueMin};
    QLineEdit *const fields[] = {lineEdit_MaxFreq,  lineEdit_MinFreq,  lineEdit_MaxAppR,
                                 lineEdit_MinAppR,  lineEdit_MaxDepth, lineEdit_MinDepth,
                                 lineEdit_MaxTrueR, lineEdit_MinTrueR};
    for (int i = 0; i < 8; ++i)
        fields[i]->setText(numberText(values[i]));
}

QString Dialog_AxisSetting::problem() const
{
    const QLineEdit *const pairs[4][2] = {{lineEdit_MaxFreq, lineEdit_MinFreq},
                                          {lineEdit_MaxAppR, lineEdit_MinAppR},
                                          {lineEdit_MaxDepth, lineEdit_MinDepth},
                                          {lineEdit_MaxTrueR, lineEdit_MinTrueR}};
    for (const auto &pair : pairs) {
        double high = 0.0, low = 0.0;
        if (!positiveValue(pair[0], high))
            return QStringLiteral("%1须为正数").arg(pair[0]->accessibleName());
        if (!positiveValue(pair[1], low))
            return QStringLiteral("%1须为正数").arg(pair[1]->accessibleName());
        if (!(high > low))
            return QStringLiteral("%1须大于%2").arg(pair[0]->accessibleName(),
                                                   pair[1]->accessibleName());
    }
    return QString();
}

void Dialog_AxisSetting::on_pushButtonOK_clicked()
{
    const QString text = problem();
    if (!text.isEmpty()) {
        message->setText(text);
        return;
    }
    auto value = [](const QLineEdit *field) { return field->text().trimmed().toFloat(); };
    emit ChartAxisChanged(value(lineEdit_MaxFreq), value(lineEdit_MinFreq),
                          value(lineEdit_MaxAppR), value(lineEdit_MinAppR),
                          value(lineEdit_MaxDepth), value(lineEdit_MinDepth),
                          value(lineEdit_MaxTrueR), value(lineEdit_MinTrueR));
    accept();
}

void Dialog_AxisSetting::on_pushButtonCancle_clicked()
{
    reject();
}
