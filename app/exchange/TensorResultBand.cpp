#include "TensorResultBand.h"

namespace TensorResultBands {

TensorResultBand ofSampleRate(double sampleRate)
{
    if (sampleRate > 4096)
        return TensorResultBand::High;
    if (sampleRate >= 501)
        return TensorResultBand::Middle;
    return TensorResultBand::Low;
}

QString extension(TensorResultBand band)
{
    switch (band) {
    case TensorResultBand::High:
        return QStringLiteral(".HMT");
    case TensorResultBand::Middle:
        return QStringLiteral(".MMT");
    case TensorResultBand::Low:
        break;
    }
    return QStringLiteral(".LMT");
}

} // namespace TensorResultBands
