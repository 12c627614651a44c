#include "ErrorBarBlob.h"

#include <QtEndian>
#include <cstring>

namespace ErrorBarBlob {

namespace {

void putDouble(double value, uchar *&out)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian(bits, out);
    out += sizeof bits;
}

double takeDouble(const uchar *&in)
{
    const quint64 bits = qFromLittleEndian<quint64>(in);
    in += sizeof bits;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

QByteArray encode(const QVector<ImpedanceErrorBar> &bars)
{
    QByteArray blob(kRecordBytes * bars.size(), Qt::Uninitialized);
    uchar *out = reinterpret_cast<uchar *>(blob.data());
    for (const ImpedanceErrorBar &bar : bars) {
        putDouble(bar.freq, out);
        putDouble(bar.rhoError, out);
        putDouble(bar.phaseError, out);
    }
    return blob;
}

QVector<ImpedanceErrorBar> decode(const QByteArray &blob)
{
    QVector<ImpedanceErrorBar> bars(blob.size() / kRecordBytes);
    const uchar *in = reinterpret_cast<const uchar *>(blob.constData());
    for (ImpedanceErrorBar &bar : bars) {
        bar.freq = takeDouble(in);
        bar.rhoError = takeDouble(in);
        bar.phaseError = takeDouble(in);
    }
    return bars;
}

} // namespace ErrorBarBlob
