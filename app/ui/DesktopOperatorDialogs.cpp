#include "DesktopOperatorDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

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

void DesktopOperatorDialogs::inversionParameters(InversionParam &)
{
    // The parameters stay as given (the dialog's answer on Cancel) until the inversion-parameter
    // dialog of the desktop program is attached here.
}

bool DesktopOperatorDialogs::eh4StartNumber(int &startNumber)
{
    bool accepted = false;
    const int number = QInputDialog::getInt(parentWidget, QStringLiteral("Dialog"),
                                            QStringLiteral("点名起点"), 1, 0, 999999, 1, &accepted);
    if (accepted)
        startNumber = number;
    return accepted;
}
