#include "DesktopOperatorDialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include "Dialog_ExprotEH4.h"
#include "Dialog_InvsionParam.h"
#include "InversionParam.h"

QString DesktopOperatorDialogs::openFileName(const QString &caption, const QString &folder,
                                             const QString &filter)
{
    return QFileDialog::getOpenFileName(parentWidget, caption, folder, filter);
}

QString DesktopOperatorDialogs::saveFileName(const QString &caption, const QString &folder,
                                             const QString &filter)
{
    return QFileDialog::getSaveFileName(parentWidget, caption, folder, filter);
}

QString DesktopOperatorDialogs::existingFolder(const QString &caption, const QString &folder)
{
    return QFileDialog::getExistingDirectory(parentWidget, caption, folder);
}

void DesktopOperatorDialogs::information(const QString &title, const QString &text)
{
    QMessageBox::information(parentWidget, title, text);
}

void DesktopOperatorDialogs::warning(const QString &title, const QString &text)
{
    QMessageBox::warning(parentWidget, title, text);
}

void DesktopOperatorDialogs::critical(const QString &title, const QString &text)
{
    QMessageBox::critical(parentWidget, title, text);
}

void DesktopOperatorDialogs::progressNotice(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parentWidget);
    QTimer::singleShot(kNoticeMs, &box, &QMessageBox::accept);
    box.exec();
}

void DesktopOperatorDialogs::inversionParameters(InversionParam &param)
{
    Dialog_InvsionParam dialog(*this, parentWidget);
    dialog.exec();
    param = dialog.param();
}

bool DesktopOperatorDialogs::eh4StartNumber(int &startNumber)
{
    Dialog_ExprotEH4 dialog(parentWidget);
    dialog.exec();
    if (dialog.isAccepted())
        startNumber = dialog.startNumber();
    return dialog.isAccepted();
}
