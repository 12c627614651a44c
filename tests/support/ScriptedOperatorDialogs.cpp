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

QString ScriptedOperatorDialogs::boxes() const
{
    QStringList shown;
    for (const Call &call : calls)
        if (call.kind == "information" || call.kind == "warning" || call.kind == "critical")
            shown << call.kind + ":" + call.title + ":" + call.text;
    return shown.join('|');
}

QString ScriptedOperatorDialogs::openFileName(const QString &caption, const QString &folder,
                                              const QString &filter)
{
    calls.append({QStringLiteral("openFileName"), caption, filter, folder});
    return take(fileNames, QString());
}

QString ScriptedOperatorDialogs::saveFileName(const QString &caption, const QString &folder,
                                              const QString &filter)
{
    calls.append({QStringLiteral("saveFileName"), caption, filter, folder});
    return take(fileNames, QString());
}

QString ScriptedOperatorDialogs::existingFolder(const QString &caption, const QString &folder)
{
    calls.append({QStringLiteral("existingFolder"), caption, QString(), folder});
    return take(folders, QString());
}

void ScriptedOperatorDialogs::information(const QString &title, const QString &text)
{
    calls.append({QStringLiteral("information"), title, text, QString()});
}

void ScriptedOperatorDialogs::warning(const QString &title, const QString &text)
{
    calls.append({QStringLiteral("warning"), title, text, QString()});
}

void ScriptedOperatorDialogs::critical(const QString &title, const QString &text)
{
    calls.append({QStringLiteral("critical"), title, text, QString()});
}

void ScriptedOperatorDialogs::progressNotice(const QString &title, const QString &text)
{
    calls.append({QStringLiteral("progressNotice"), title, text, QString()});
}

void ScriptedOperatorDialogs::inversionParameters(InversionParam &param)
{
    calls.append({QStringLiteral("inversionParameters"), QString(), QString(), QString()});
    const std::function<void(InversionParam &)> answer = take(inversionAnswers, {});
    if (answer)
        answer(param);
}

bool ScriptedOperatorDialogs::eh4StartNumber(int &startNumber)
{
    calls.append({QStringLiteral("eh4StartNumber"), QString(), QString(), QString()});
    const int answer = take(startNumbers, -1);
    if (answer < 0)
        return false;
    startNumber = answer;
    return true;
}
