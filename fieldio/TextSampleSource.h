#pragma once
// Samples of a text recording: one sample per line, the first field of the line (fields split as
// every text reader splits them). Blank lines and lines starting with "#" are skipped. A first field
// that is not a finite number ("abc", "1.5x", "nan", "inf") is an error: a silent 0 or NaN would
// corrupt every spectrum computed from the segment.

#include <QFile>
#include <QTextStream>

#include "SampleSource.h"

class TextSampleSource : public SampleSource {
public:
    explicit TextSampleSource(const QString &file);
    // False when the file cannot be opened for reading.
    bool open();

    qint64 read(double *out, qint64 wanted) override;
    qint64 remainingBound() const override;
    QString errorString() const override;

private:
    // 1 when a sample was read into value, 0 when the line holds none, -1 when it does not parse.
    int parseLine(double &value);

    QFile file;
    QTextStream stream;
    QString line;
    QString error;
    qint64 lineNumber = 0;
    qint64 samplesRead = 0;
};
