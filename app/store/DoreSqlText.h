#pragma once
// SQL text building shared by the object-relational layer: the property-type to SQL-type mapping,
// the text of one value inside a statement, the numbered-placeholder filling of statement
// templates and the failure log lines.

#include <QString>
#include <QStringList>
#include <QVariant>

class QSqlError;
class QSqlQuery;

namespace DoreSqlText {

// "INTEGER", "REAL", "TEXT", "BLOB", or "NULL" for any other meta type id.
QString sqlTypeOf(int metaTypeId);

// The text of value as it stands in a statement of a column of sqlType, without the surrounding
// quotes or x'' of the template: BLOB values as lower-case hex, TEXT with every single quote
// doubled, REAL NaN as NULL and infinities as +-9e999 (SQLite's infinity literal), others by the
// variant's own string conversion.
QString valueText(const QVariant &value, const QString &sqlType);

// The column-value template piece of sqlType around an already formed placeholder text: bare for
// INTEGER and REAL, '...' for TEXT, x'...' for BLOB and the literal NULL for other types.
QString quoted(const QString &placeholder, const QString &sqlType);

// Replaces every placeholder %k (k = 1..values.size(), one or two digits) of statement by
// values[k-1] in one pass. Inserted values are never scanned again, so a value holding "%1" or a
// percent sign is kept as it is.
QString fillPlaceholders(const QString &statement, const QStringList &values);

// Removes name and the type at its position from the parallel lists, if name is there.
void removeColumn(QStringList &names, QStringList &types, const QString &name);

// Writes one debug line: prefix, then each non-empty detail, then the error's database and driver
// texts when error is given.
void logFailure(const QString &prefix, const QStringList &details,
                const QSqlError *error = nullptr);
// Runs statement on query; false, with the failure logged under prefix together with the
// statement and the query's error, when it fails.
bool execLogged(QSqlQuery &query, const QString &prefix, const QString &statement);

} // namespace DoreSqlText
