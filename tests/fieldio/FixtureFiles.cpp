#include "FixtureFiles.h"

#include <QFile>

bool writeFixture(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray int32LittleEndian(const QVector<qint32> &counts)
{
    QByteArray bytes;
    for (qint32 count : counts) {
        const quint32 bits = quint32(count);
        for (int shift = 0; shift < 32; shift += 8)
            bytes.append(char((bits >> shift) & 0xff));
    }
    return bytes;
}

QRegularExpression namingFile(const QString &file)
{
    return QRegularExpression(QRegularExpression::escape(file));
}
