#include "TensorResultBand.h"

namespace TensorResultBands {

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
