#include "TextNumbers.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

std::vector<double> numbersOf(const QString &line)
{
    std::vector<double> numbers;
    static const QRegularExpression separators(QStringLiteral("[\\s(),]+"));
    for (const QString &field : line.split(separators, Qt::SkipEmptyParts))
        numbers.push_back(field.toDouble());
    return numbers;
}

double firstNumber(const QString &line)
{
    const std::vector<double> numbers = numbersOf(line);
    return numbers.empty() ? 0.0 : numbers.front();
}

bool readLines(const QString &path, QStringList &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    while (!in.atEnd())
        lines << in.readLine();
    return true;
}

bool writeText(const QString &path, const QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    return file.write(text.toLocal8Bit()) >= 0 && file.flush();
}

QString wrapped(const std::vector<double> &values, int perLine)
{
    QString text;
    for (size_t i = 0; i < values.size(); ++i) {
        text += QString::number(values[i], 'g', 6);
        text += (i + 1) % perLine == 0 || i + 1 == values.size() ? QStringLiteral("\n")
                                                                  : QStringLiteral(" ");
    }
    return text;
}
