#pragma once
// A table of numbers under a heading of column names, one row per line (for example one row per
// target frequency of an analysis), as the exports write it and the plots draw it.

#include <QStringList>
#include <QtNumeric>
#include <QVector>

struct NumberTable {
    QStringList header;
    QVector<QVector<double>> rows;

    // Position of the named column; -1 when there is none.
    int columnOf(const QString &name) const { return header.indexOf(name); }
    // The values of column c, row by row (NaN where a row is shorter).
    QVector<double> column(int c) const
    {
        QVector<double> values;
        values.reserve(rows.size());
        for (const QVector<double> &row : rows)
            values.append(c >= 0 && c < row.size() ? row[c] : qQNaN());
        return values;
    }
};
