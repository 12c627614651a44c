#include "BinarySampleSource.h"

#include <QtEndian>
#include <cstring>

namespace {
constexpr qint64 bytesPerSample = 4;
constexpr qint64 chunkSamples = 1 << 16;  // 256 KiB per read: few system calls, little memory
}

BinarySampleSource::BinarySampleSource(const QString &file)
    : file(file), buffer(int(chunkSamples * bytesPerSample), Qt::Uninitialized)
{
}

bool BinarySampleSource::open()
{
    return file.open(QIODevice::ReadOnly);
}

qint64 BinarySampleSource::read(double *out, qint64 wanted)
{
    qint64 done = 0;
    while (done < wanted && !atEnd) {
        const qint64 got = readChunk(out + done, qMin(wanted - done, chunkSamples));
        if (got < 0)
            return -1;
        done += got;
    }
    return done;
}

// Reads at most wanted whole counts (wanted <= chunkSamples) and converts them; a count cut by a
// short read waits at the front of the buffer for its remaining bytes.
qint64 BinarySampleSource::readChunk(double *out, qint64 wanted)
{
    const qint64 got = file.read(buffer.data() + pendingBytes, wanted * bytesPerSample - pendingBytes);
    if (got < 0)
        return -1;
    atEnd = (got == 0);
    const qint64 available = pendingBytes + got;
    const qint64 samples = available / bytesPerSample;
    const char *bytes = buffer.constData();
    for (qint64 i = 0; i < samples; ++i)
        out[i] = qFromLittleEndian<qint32>(bytes + i * bytesPerSample);
    pendingBytes = int(available - samples * bytesPerSample);
    std::memmove(buffer.data(), bytes + samples * bytesPerSample, size_t(pendingBytes));
    return samples;
}

qint64 BinarySampleSource::skip(qint64 count)
{
    if (pendingBytes != 0)
        return SampleSource::skip(count);
    const qint64 passed = qMax<qint64>(0, qMin(count, (file.size() - file.pos()) / bytesPerSample));
    return file.seek(file.pos() + passed * bytesPerSample) ? passed : -1;
}

qint64 BinarySampleSource::remainingBound() const
{
    return (file.size() - file.pos() + pendingBytes) / bytesPerSample;
}

QString BinarySampleSource::errorString() const
{
    return file.errorString();
}
