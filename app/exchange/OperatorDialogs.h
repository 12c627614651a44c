#pragma once
// How the core talks to the operator without widgets: file and folder choices, message boxes,
// the self-closing progress notice and the two small parameter dialogs. The GUI implements it with
// the real dialogs, the command line from its options (printing the boxes to standard error), and
// the tests with a scripted implementation that records every call.
//
// An empty file or folder name means the operator cancelled the choice.

#include <QString>

struct InversionParam;

class OperatorDialogs {
public:
    virtual ~OperatorDialogs() = default;

    // A file to read: caption, starting folder, filter such as "高程文件 (*.dat)".
    virtual QString openFileName(const QString &caption, const QString &folder,
                                 const QString &filter) = 0;
    // A file to write, same arguments.
    virtual QString saveFileName(const QString &caption, const QString &folder,
                                 const QString &filter) = 0;
    // An existing folder.
    virtual QString existingFolder(const QString &caption, const QString &folder) = 0;

    // Modal message boxes with title and text; they return once the operator has read them.
    virtual void information(const QString &title, const QString &text) = 0;
    virtual void warning(const QString &title, const QString &text) = 0;
    virtual void critical(const QString &title, const QString &text) = 0;
    // An information box that closes itself after a second, shown between steps of a long run.
    virtual void progressNotice(const QString &title, const QString &text) = 0;

    // The inversion-parameter dialog: param holds the values to show and receives the operator's
    // answers (the defaults again when the operator cancels).
    virtual void inversionParameters(InversionParam &param) = 0;
    // The EH4 start-number dialog: true with the number of the first point when the operator
    // confirms, false when cancelled.
    virtual bool eh4StartNumber(int &startNumber) = 0;
};
