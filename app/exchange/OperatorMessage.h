#pragma once
// One message box for the operator: its title and its text, both in the same language, and the
// calls that show it through the operator's dialogs.

#include <QString>

class OperatorDialogs;

struct OperatorMessage {
    QString title;
    QString text;
};

void showInformation(OperatorDialogs &dialogs, const OperatorMessage &message);
void showWarning(OperatorDialogs &dialogs, const OperatorMessage &message);
void showCritical(OperatorDialogs &dialogs, const OperatorMessage &message);
void showProgressNotice(OperatorDialogs &dialogs, const OperatorMessage &message);
