#include "ScriptedOperatorDialogs.h"

template <class T> T ScriptedOperatorDialogs::take(QQueue<T> &queue, const T &otherwise)
{
    return queue.isEmpty() ? otherwise : queue.dequeue();
}

QList<ScriptedOperatorDialogs::Call> ScriptedOperatorDialogs::callsOf(const QString &kind) const
{
    QList<Call> matching;
    for (const Call &call : calls)
        if (call.kind == kind)
            matching.append(call);
    return matching;
}

QString ScriptedOperatorDialogs::openFileName(const QString &caption, const QString &,
                                              const QString &filter)
{
    calls.append({QStringLiteral("openFileName"), caption, filter});
    return take(fileNames, QString());
}

QString ScriptedOperatorDialogs::saveFileName(const QString &caption, const QString &,
                                              const QString &filter)
{
    calls.append({QStringLiteral("saveFileName"), caption, filter});
    return take(fileNames, QString());
}

QString ScriptedOperatorDialogs::existingFolder(const QString &caption, const QString &)
{
    calls.append({QStringLiteral("existingFolder"), caption, QString()});
    return take(folders, QString());
}

void ScriptedOperatorDialogs::information(const QString &title, const QString &text)
{
    calls.append({QStringLiteral("information"), title, text});
}

void ScriptedOperatorDialogs::warning(const QString &title, const QString &text)
{
    calls.append({QStringLiteral("warning"), title, text});
}

void ScriptedOperatorDialogs::critical(const QString &title, const QString &text)
{
    calls.append({QStringLiteral("critical"), title, text});
}

void ScriptedOperatorDialogs::progressNotice(const QString &title, const QString &text)
{
    calls.append({QStringLiteral("progressNotice"), title, text});
}

void ScriptedOperatorDialogs::inversionParameters(InversionParam &param)
{
    calls.append({QStringLiteral("inversionParameters"), QString(), QString()});
    const std::function<void(InversionParam &)> answer = take(inversionAnswers, {});
    if (answer)
        answer(param);
}

bool ScriptedOperatorDialogs::eh4StartNumber(int &startNumber)
{
    calls.append({QStringLiteral("eh4StartNumber"), QString(), QString()});
    const int answer = take(startNumbers, -1);
    if (answer < 0)
        return false;
    startNumber = answer;
    return true;
}
