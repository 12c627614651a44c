#pragma once
// Samples of a binary recording: the ADC counts as little-endian signed 32-bit integers, no header.
// A partial count at the end of a file whose size is not a multiple of 4 is ignored.

#include <QByteArray>
#include <QFile>

#include "SampleSource.h"

class BinarySampleSource : public SampleSource {
public:
    explicit BinarySampleSource(const QString &file);
    // False when the file cannot be opened for reading.
    bool open();

    qint64 read(double *out, qint64 wanted) override;
    // Moves past whole counts without reading them.
    qint64 skip(qint64 count) override;
    qint64 remainingBound() const override;
    QString errorString() const override;

private:
    qint64 readChunk(double *out, qint64 wanted);

    QFile file;
    QByteArray buffer;
    int pendingBytes = 0;  // start of a count split across two reads, kept at the buffer's front
    bool atEnd = false;
};
