#pragma once
// The operator, as the command line sees it: message boxes and progress notices are printed to
// standard error ("warning: <title>: <text>"), file and folder choices are answered from the
// command's options (an unanswered choice counts as cancelled), parameter dialogs keep the values
// they are given.

#include <QString>

#include "OperatorDialogs.h"

class CliOperatorDialogs : public OperatorDialogs {
public:
    // The answers to file and folder choices and to the EH4 start number.
    void setFileName(const QString &name) { fileName = name; }
    void setFolder(const QString &name) { folder = name; }
    void setStartNumber(int number) { startNumber = number; }

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
    bool eh4StartNumber(int &number) override;

    // Boxes printed so far with the kinds warning or critical.
    int problemCount() const { return problems; }

private:
    QString answer(const QString &kind, const QString &caption, const QString &given) const;
    void print(const QString &kind, const QString &title, const QString &text) const;

    QString fileName;
    QString folder;
    int startNumber = 1;
    int problems = 0;
};
