#pragma once
// OperatorDialogs for tests: every call is recorded (kind, title or caption, text) and the answers
// come from a script the test fills beforehand. An exhausted script answers as a cancelling
// operator: empty names, false, parameters left as given.

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <functional>

#include "OperatorDialogs.h"

class ScriptedOperatorDialogs : public OperatorDialogs {
public:
    struct Call {
        QString kind;   // "openFileName", "saveFileName", "existingFolder", "information",
                        // "warning", "critical", "progressNotice", "inversionParameters",
                        // "eh4StartNumber"
        QString title;  // title or caption
        QString text;   // message text, or the filter of a file choice
        QString folder; // the starting folder of a file or folder choice
    };

    // Answers, taken in order by the matching kind of call.
    QQueue<QString> fileNames;           // open and save choices
    QQueue<QString> folders;
    QQueue<int> startNumbers;            // a negative number answers as Cancel
    QQueue<std::function<void(InversionParam &)>> inversionAnswers;

    QList<Call> calls;

    // The calls of one kind, in order.
    QList<Call> callsOf(const QString &kind) const;
    // The message boxes shown so far (information, warning, critical), as "kind:title:text" joined
    // by '|'.
    QString boxes() const;

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

private:
    template <class T> static T take(QQueue<T> &queue, const T &otherwise);
};
