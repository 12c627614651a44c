#include "OperatorMessage.h"

#include "OperatorDialogs.h"

void showInformation(OperatorDialogs &dialogs, const OperatorMessage &message)
{
    dialogs.information(message.title, message.text);
}

void showWarning(OperatorDialogs &dialogs, const OperatorMessage &message)
{
    dialogs.warning(message.title, message.text);
}

void showCritical(OperatorDialogs &dialogs, const OperatorMessage &message)
{
    dialogs.critical(message.title, message.text);
}

void showProgressNotice(OperatorDialogs &dialogs, const OperatorMessage &message)
{
    dialogs.progressNotice(message.title, message.text);
}
