#include "CurveBlob.h"

#include <QtEndian>
#include <cstring>

namespace CurveBlob {

namespace {
constexpr int kFields = 7;

void toFields(const OneFreqImpedance &r, double *f)
{
    const double values[kFields] = {r.tag, r.freq, r.coherency, r.rho, r.phase, r.bostickRho,
                                    r.bostickDepth};
    std::memcpy(f, values, sizeof values);
}

OneFreqImpedance fromFields(const double *f)
{
    return OneFreqImpedance{f[0], f[1], f[2], f[3], f[4], f[5], f[6]};
}
} // namespace

QByteArray encode(const QVector<OneFreqImpedance> &curve)
{
    QByteArray blob(kRecordBytes * curve.size(), Qt::Uninitialized);
    uchar *out = reinterpret_cast<uchar *>(blob.data());
    for (const OneFreqImpedance &record : curve) {
        double fields[kFields];
        toFields(record, fields);
        for (double value : fields) {
            quint64 bits;
            std::memcpy(&bits, &value, sizeof bits);
            qToLittleEndian(bits, out);
            out += sizeof bits;
        }
    }
    return blob;
}

void decode(const QByteArray &blob, QVector<OneFreqImpedance> &curve)
{
    curve.clear();
    const int records = blob.size() / kRecordBytes;
    curve.reserve(records);
    const uchar *in = reinterpret_cast<const uchar *>(blob.constData());
    for (int r = 0; r < records; ++r) {
        double fields[kFields];
        for (double &value : fields) {
            const quint64 bits = qFromLittleEndian<quint64>(in);
            std::memcpy(&value, &bits, sizeof value);
            in += sizeof bits;
        }
        curve.append(fromFields(fields));
    }
}

QVector<OneFreqImpedance> decode(const QByteArray &blob)
{
    QVector<OneFreqImpedance> curve;
    decode(blob, curve);
    return curve;
}

} // namespace CurveBlob
