#include "Dialog_ExprotEH4.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DialogLayout.h"

Dialog_ExprotEH4::Dialog_ExprotEH4(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Dialog"));
    startEdit = DialogLayout::namedEdit(QStringLiteral("lineEdit"), this);
    startEdit->setText(QStringLiteral("001"));
    auto *form = new QGridLayout;
    form->addWidget(DialogLayout::label(QStringLiteral("点名起点"), startEdit), 0, 0);
    form->addWidget(startEdit, 0, 1);
    QPushButton *ok = DialogLayout::namedButton(QStringLiteral("确定"), QStringLiteral("pushButton_OK"), this);
    ok->setDefault(true);
    QPushButton *cancel =
        DialogLayout::namedButton(QStringLiteral("取消"), QStringLiteral("pushButton_Cancel"), this);
    auto *column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addStretch(1);
    column->addLayout(DialogLayout::buttonRow({ok, cancel}));
    QMetaObject::connectSlotsByName(this);
}

void Dialog_ExprotEH4::on_pushButton_OK_clicked()
{
    start = startEdit->text().toInt();
    confirmed = true;
    accept();
}

void Dialog_ExprotEH4::on_pushButton_Cancel_clicked()
{
    reject();
}

void Dialog_ExprotEH4::reject()
{
    confirmed = false;
    QDialog::reject();
}
