#pragma once
// The desktop program's operator: real file dialogs and message boxes with the titles and texts
// the core gives, the progress notice as a box that closes itself after a second, and the
// inversion-parameter and EH4 start-number dialogs. Boxes are parented to the main window so that
// they centre on it.

#include "OperatorDialogs.h"

class QWidget;

class DesktopOperatorDialogs : public OperatorDialogs {
public:
    // parent: the window the dialogs centre on; may change later with setParent.
    explicit DesktopOperatorDialogs(QWidget *parent = nullptr) : parentWidget(parent) {}
    void setParent(QWidget *parent) { parentWidget = parent; }

    QString openFileName(const QString &caption, const QString &folder,
                         const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &folder,
                         const QString &filter) override;
    QString existingFolder(const QString &caption, const QString &folder) override;
    void information(const QString &title, const QString &text) override;
    void warning(const QString &title, const QString &text) override;
    void critical(const QString &title, const QString &text) override;
    void progressNotice(const QString &title, const QString &text) override;
    void inversionParameters(InversionParam &param) override;
    bool eh4StartNumber(int &startNumber) override;

    // How long the progress notice stays, in milliseconds.
    static constexpr int kNoticeMs = 1000;

private:
    QWidget *parentWidget;
};
