#include "Dialog_MergeData.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "DialogLayout.h"
#include "LibDORE.h"
#include "OperatorDialogs.h"
#include "ProjectMerge.h"
#include "ProjectSchema.h"

namespace {

const QString kFilter = QStringLiteral("Vardex文件(*.HMT)");

// "请注意：将数据文件B合并到数据文件A中，合并的原则为将线号相同的线进行数据合并，其它的保持原数据不动"
// with the file names and the rule in bold colours.
QString noteHtml()
{
    const QString bold = QStringLiteral("<span style=\"font-weight:600; color:%1;\">%2</span>");
    return QStringLiteral("<p>") + QStringLiteral("请注意：将")
           + bold.arg(QStringLiteral("#ff5500"), QStringLiteral("数据文件B")) + QStringLiteral("合并到")
           + bold.arg(QStringLiteral("#ff0000"), QStringLiteral("数据文件A"))
           + QStringLiteral("中，合并的原则为将")
           + bold.arg(QStringLiteral("#ff0000"), QStringLiteral("线号相同"))
           + QStringLiteral("的线进行数据合并，其它的保持原数据不动") + QStringLiteral("</p>");
}

} // namespace

Dialog_MergeData::Dialog_MergeData(OperatorDialogs &dialogs, QWidget *parent)
    : QDialog(parent), dialogs(dialogs)
{
    setWindowTitle(QStringLiteral("Dialog"));
    auto *grid = new QGridLayout;
    addFileRow(grid, 0, QStringLiteral("合并文件A"), QStringLiteral("lineEdit"),
               QStringLiteral("pushButton_OpenA"));
    addFileRow(grid, 1, QStringLiteral("合并文件B"), QStringLiteral("lineEdit_2"),
               QStringLiteral("pushButton_OpenB"));
    pathA = findChild<QLineEdit *>(QStringLiteral("lineEdit"));
    pathB = findChild<QLineEdit *>(QStringLiteral("lineEdit_2"));
    auto *column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addWidget(note());
    column->addLayout(buttonRow());
    setMinimumWidth(420);
    QMetaObject::connectSlotsByName(this);
}

Dialog_MergeData::~Dialog_MergeData() = default;

void Dialog_MergeData::addFileRow(QGridLayout *grid, int row, const QString &label,
                                  const QString &editName, const QString &buttonName)
{
    QLineEdit *path = DialogLayout::namedEdit(editName, this);
    path->setReadOnly(true);
    grid->addWidget(DialogLayout::label(label, path), row, 0);
    grid->addWidget(path, row, 1);
    grid->addWidget(DialogLayout::namedButton(QStringLiteral("浏览"), buttonName, this), row, 2);
}

QTextEdit *Dialog_MergeData::note()
{
    auto *text = new QTextEdit(this);
    text->setObjectName(QStringLiteral("textEdit"));
    text->setReadOnly(true);
    text->setHtml(noteHtml());
    text->setFixedHeight(text->fontMetrics().lineSpacing() * 4);
    return text;
}

QLayout *Dialog_MergeData::buttonRow()
{
    mergeButton = DialogLayout::namedButton(QStringLiteral("合并"), QStringLiteral("pushButton"), this);
    okButton = DialogLayout::namedButton(QStringLiteral("确定"), QStringLiteral("pushButton_OK"), this);
    okButton->setEnabled(false);
    QPushButton *cancel =
        DialogLayout::namedButton(QStringLiteral("取消"), QStringLiteral("pushButton_No"), this);
    QHBoxLayout *row = DialogLayout::buttonRow({okButton, cancel});
    row->insertWidget(0, mergeButton);
    return row;
}

std::unique_ptr<LibDORE> Dialog_MergeData::openProject(const QString &caption, QString &path)
{
    path = dialogs.openFileName(caption, QDir::currentPath(), kFilter);
    if (path.isEmpty())
        return nullptr;
    auto project = std::make_unique<LibDORE>();
    QString problem;  // a file that is not a project is not loaded and stays untouched
    if (!openProjectFile(*project, QFileInfo(path).absoluteFilePath(), problem))
        return nullptr;
    return project;
}

void Dialog_MergeData::on_pushButton_OpenA_clicked()
{
    QString path;
    std::unique_ptr<LibDORE> project = openProject(QStringLiteral("合并文件A"), path);
    if (!project)
        return;
    projectA = std::move(project);
    pathA->setText(path);
}

void Dialog_MergeData::on_pushButton_OpenB_clicked()
{
    QString path;
    std::unique_ptr<LibDORE> project = openProject(QStringLiteral("合并文件B"), path);
    if (!project)
        return;
    projectB = std::move(project);
    pathB->setText(path);
}

// Runs once per opening: a second run would append B's stations again. A refused merge (a file
// not open yet) or a failed one (rolled back) leaves the button for another try.
void Dialog_MergeData::on_pushButton_clicked()
{
    if (!ProjectMerge(&dialogs).run(projectA.get(), projectB.get()))
        return;
    mergeButton->setEnabled(false);
    okButton->setEnabled(true);
}

void Dialog_MergeData::on_pushButton_OK_clicked()
{
    projectA.reset();
    accept();
}

void Dialog_MergeData::on_pushButton_No_clicked()
{
    reject();
}
