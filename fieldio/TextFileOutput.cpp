#include "TextFileOutput.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>

namespace TextFileOutput {

bool open(QFile &file, const char *who)
{
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return true;
    qWarning().noquote() << QLatin1String(who) + QStringLiteral(": cannot open") << file.fileName()
                         << "-" << file.errorString();
    return false;
}

bool finish(QFile &file, QTextStream &out, const char *who)
{
    out.flush();
    if (out.status() == QTextStream::Ok && file.error() == QFileDevice::NoError)
        return true;
    qWarning().noquote() << QLatin1String(who) + QStringLiteral(": writing") << file.fileName()
                         << "failed -" << file.errorString();
    return false;
}

QString writeAndClose(QFile &file, const QString &text, const char *who)
{
    QTextStream out(&file);
    out << text;
    const bool written = finish(file, out, who);
    file.close();
    if (written && file.error() == QFileDevice::NoError)
        return QString();
    if (written)
        qWarning().noquote() << QLatin1String(who) + QStringLiteral(": closing") << file.fileName()
                             << "failed -" << file.errorString();
    return file.fileName() + QStringLiteral(": ") + file.errorString();
}

} // namespace TextFileOutput
