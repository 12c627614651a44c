#include "Graph_LogScaleDraw.h"

#include <cmath>
#include <qwt_text.h>

namespace {

constexpr int kLowestPlainExponent = -3;
constexpr int kHighestPlainExponent = 4;

} // namespace

QwtText Graph_LogScaleDraw::label(double value) const
{
    if (!(value > 0.0))
        return QwtText(QString::number(value, 'g', 6));
    const int exponent = int(std::lround(std::log10(value)));
    const bool powerOfTen = std::abs(value / std::pow(10.0, exponent) - 1.0) < 1e-9;
    if (!powerOfTen || (exponent >= kLowestPlainExponent && exponent <= kHighestPlainExponent))
        return QwtText(QString::number(value, 'g', 6));
    return QwtText(QStringLiteral("10<sup>%1</sup>").arg(exponent), QwtText::RichText);
}
