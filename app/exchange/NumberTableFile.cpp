#include "NumberTableFile.h"

#include <QSaveFile>
#include <QTextStream>

namespace {

constexpr int kDefaultDigits = 6;

void writeRow(QTextStream &out, const QVector<double> &values, const QVector<int> &digits)
{
    for (int i = 0; i < values.size(); ++i) {
        if (i > 0)
            out << ',';
        out << QString::number(values[i], 'g', digits.value(i, kDefaultDigits));
    }
    out << '\n';
}

} // namespace

NumberTableFile::Outcome NumberTableFile::write(const QString &path, const QStringList &header,
                                                qint64 rowCount, const RowAt &rowAt,
                                                const Progress &progress, const QVector<int> &digits)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return NotOpened;
    QTextStream out(&file);
    out << header.join(QLatin1Char(',')) << '\n';
    for (qint64 row = 0; row < rowCount; ++row) {
        writeRow(out, rowAt(row), digits);
        if (progress && (row + 1) % kProgressRows == 0 && !progress(row + 1, rowCount)) {
            file.cancelWriting();
            return Stopped;
        }
    }
    out.flush();
    return out.status() == QTextStream::Ok && file.commit() ? Written : WriteFailed;
}

NumberTableFile::Outcome NumberTableFile::write(const QString &path, const NumberTable &table)
{
    return write(path, table.header, table.rows.size(),
                 [&table](qint64 row) { return table.rows[int(row)]; });
}
