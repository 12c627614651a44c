#include "DoreSqlText.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>

namespace DoreSqlText {

QString sqlTypeOf(int metaTypeId)
{
    switch (metaTypeId) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::ULong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return QStringLiteral("INTEGER");
    case QMetaType::Double:
    case QMetaType::Float:
        return QStringLiteral("REAL");
    case QMetaType::QString:
        return QStringLiteral("TEXT");
    case QMetaType::QByteArray:
    case QMetaType::QBitArray:
        return QStringLiteral("BLOB");
    default:
        return QStringLiteral("NULL");
    }
}

static QString realText(const QVariant &value)
{
    const double x = value.toDouble();
    if (std::isnan(x))
        return QStringLiteral("NULL");
    if (std::isinf(x))
        return x > 0 ? QStringLiteral("9e999") : QStringLiteral("-9e999");
    return value.toString();
}

QString valueText(const QVariant &value, const QString &sqlType)
{
    if (sqlType == QLatin1String("BLOB"))
        return QString::fromLatin1(value.toByteArray().toHex());
    if (sqlType == QLatin1String("TEXT"))
        return value.toString().replace(QLatin1Char('\''), QLatin1String("''"));
    if (sqlType == QLatin1String("REAL"))
        return realText(value);
    return value.toString();
}

QString quoted(const QString &placeholder, const QString &sqlType)
{
    if (sqlType == QLatin1String("INTEGER") || sqlType == QLatin1String("REAL"))
        return placeholder;
    if (sqlType == QLatin1String("TEXT"))
        return QLatin1Char('\'') + placeholder + QLatin1Char('\'');
    if (sqlType == QLatin1String("BLOB"))
        return QLatin1String("x'") + placeholder + QLatin1Char('\'');
    return QStringLiteral("NULL");
}

QString fillPlaceholders(const QString &statement, const QStringList &values)
{
    QString out;
    out.reserve(statement.size() + 16 * values.size());
    int i = 0;
    while (i < statement.size()) {
        const QChar c = statement.at(i);
        int digits = 0;
        int k = 0;
        while (c == QLatin1Char('%') && digits < 2 && i + 1 + digits < statement.size()
               && statement.at(i + 1 + digits).isDigit()) {
            k = 10 * k + statement.at(i + 1 + digits).digitValue();
            ++digits;
        }
        if (digits > 0 && k >= 1 && k <= values.size()) {
            out += values.at(k - 1);
            i += 1 + digits;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

void removeColumn(QStringList &names, QStringList &types, const QString &name)
{
    const int at = names.indexOf(name);
    if (at < 0)
        return;
    names.removeAt(at);
    types.removeAt(at);
}

void logFailure(const QString &prefix, const QStringList &details, const QSqlError *error)
{
    QStringList parts{prefix};
    for (const QString &d : details)
        if (!d.isEmpty())
            parts << d;
    if (error)
        parts << error->databaseText() << error->driverText();
    qDebug().noquote() << parts.join(QLatin1Char(' '));
}

bool execLogged(QSqlQuery &query, const QString &prefix, const QString &statement)
{
    if (query.exec(statement))
        return true;
    const QSqlError error = query.lastError();
    logFailure(prefix, {statement}, &error);
    return false;
}

} // namespace DoreSqlText
