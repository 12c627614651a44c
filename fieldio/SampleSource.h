#pragma once
// A forward-only supplier of one channel's samples, read from a file in chunks so that a long
// recording never has to be held in memory as a whole.

#include <QString>
#include <QtGlobal>

class SampleSource {
public:
    virtual ~SampleSource() = default;

    // Reads up to wanted samples into out (room for wanted doubles). Returns how many were read,
    // fewer than wanted only at the end of the data, or -1 on an error described by errorString().
    virtual qint64 read(double *out, qint64 wanted) = 0;
    // Passes over up to count samples as read() would read them (errors included); returns how
    // many, fewer only at the end of the data, or -1 on an error.
    virtual qint64 skip(qint64 count);
    // An upper bound on the number of samples still to come, known without reading them.
    virtual qint64 remainingBound() const = 0;
    virtual QString errorString() const = 0;
};
