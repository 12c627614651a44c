#include "CliOperatorDialogs.h"

#include "ConsoleProgress.h"

QString CliOperatorDialogs::answer(const QString &kind, const QString &caption,
                                   const QString &given) const
{
    if (given.isEmpty())
        print(kind, caption, QStringLiteral("no answer given on the command line; cancelled"));
    return given;
}

void CliOperatorDialogs::print(const QString &kind, const QString &title, const QString &text) const
{
    ConsoleProgress::message(kind + QStringLiteral(": ") + title + QStringLiteral(": ") + text);
}

QString CliOperatorDialogs::openFileName(const QString &caption, const QString &, const QString &)
{
    return answer(QStringLiteral("file to open"), caption, fileName);
}

QString CliOperatorDialogs::saveFileName(const QString &caption, const QString &, const QString &)
{
    return answer(QStringLiteral("file to write"), caption, fileName);
}

QString CliOperatorDialogs::existingFolder(const QString &caption, const QString &)
{
    return answer(QStringLiteral("folder"), caption, folder);
}

void CliOperatorDialogs::information(const QString &title, const QString &text)
{
    print(QStringLiteral("information"), title, text);
}

void CliOperatorDialogs::warning(const QString &title, const QString &text)
{
    ++problems;
    print(QStringLiteral("warning"), title, text);
}

void CliOperatorDialogs::critical(const QString &title, const QString &text)
{
    ++problems;
    print(QStringLiteral("critical"), title, text);
}

void CliOperatorDialogs::progressNotice(const QString &title, const QString &text)
{
    print(QStringLiteral("progress"), title, text);
}

void CliOperatorDialogs::inversionParameters(InversionParam &)
{
}

bool CliOperatorDialogs::eh4StartNumber(int &number)
{
    number = startNumber;
    return true;
}
