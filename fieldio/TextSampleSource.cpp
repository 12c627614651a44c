#include "TextSampleSource.h"

#include <cmath>

#include "TextFields.h"

TextSampleSource::TextSampleSource(const QString &file) : file(file) {}

bool TextSampleSource::open()
{
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = file.errorString();
        return false;
    }
    stream.setDevice(&file);
    return true;
}

qint64 TextSampleSource::read(double *out, qint64 wanted)
{
    qint64 done = 0;
    while (done < wanted && stream.readLineInto(&line)) {
        ++lineNumber;
        const int parsed = parseLine(out[done]);
        if (parsed < 0)
            return -1;
        done += parsed;
    }
    if (stream.status() != QTextStream::Ok || file.error() != QFileDevice::NoError) {
        error = QStringLiteral("read error after line %1: %2").arg(lineNumber).arg(file.errorString());
        return -1;
    }
    samplesRead += done;
    return done;
}

int TextSampleSource::parseLine(double &value)
{
    const QStringView trimmed = QStringView(line).trimmed();
    if (trimmed.startsWith(QLatin1Char('#')))
        return 0;
    const QStringList fields = splitTextFields(trimmed, 1);
    if (fields.isEmpty())
        return 0;
    bool ok = false;
    value = fields.first().toDouble(&ok);
    if (ok && std::isfinite(value))
        return 1;
    error = QStringLiteral("line %1: \"%2\" is not a finite number").arg(lineNumber).arg(fields.first());
    return -1;
}

// Every sample takes at least one character and a line break, except the last one, which may lack
// the break.
qint64 TextSampleSource::remainingBound() const
{
    return (file.size() + 1) / 2 - samplesRead;
}

QString TextSampleSource::errorString() const
{
    return error;
}
