#pragma once
// Comma-separated tables of numbers: the heading names separated by "," and ended by "\n", then
// one line per row, numbers with six significant digits unless a column asks for more ("nan"
// where a value is missing). The
// text goes to a temporary file that replaces the target only once complete, so a file that
// cannot be opened, a failed write or a stopped one leaves nothing (or the earlier file) behind.

#include <QString>
#include <QStringList>
#include <functional>

#include "NumberTable.h"

class NumberTableFile {
public:
    enum Outcome { Written, NotOpened, Stopped, WriteFailed };
    // The values of one row.
    using RowAt = std::function<QVector<double>(qint64 row)>;
    // Rows written and their count; false stops the write. Called every kProgressRows rows.
    using Progress = std::function<bool(qint64 done, qint64 total)>;
    static constexpr qint64 kProgressRows = 4096;

    // digits: significant digits by column, six for a column it does not name.
    static Outcome write(const QString &path, const QStringList &header, qint64 rowCount,
                         const RowAt &rowAt, const Progress &progress = {},
                         const QVector<int> &digits = {});
    static Outcome write(const QString &path, const NumberTable &table);
};
