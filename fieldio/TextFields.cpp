#include "TextFields.h"

bool isTextFieldSeparator(QChar c)
{
    switch (c.unicode()) {
    case ',':
    case '*':
    case ';':
    case '|':
        return true;
    default:
        return c.isSpace();
    }
}

QStringList splitTextFields(QStringView line, int maxFields)
{
    QStringList fields;
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n && (maxFields <= 0 || fields.size() < maxFields)) {
        while (i < n && isTextFieldSeparator(line[i]))
            ++i;
        const qsizetype start = i;
        while (i < n && !isTextFieldSeparator(line[i]))
            ++i;
        if (i > start)
            fields.append(line.mid(start, i - start).toString());
    }
    return fields;
}
