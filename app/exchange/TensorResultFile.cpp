#include "TensorResultFile.h"

#include <gsl/gsl_complex_math.h>

namespace {

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

QString joined(const QVector<double> &values)
{
    QStringList texts;
    for (double value : values)
        texts.append(number(value));
    return texts.join(QStringLiteral("  "));
}

gsl_complex elementOf(const TensorCrossPower &crossPower, int row, int column)
{
    if (row < crossPower.matrix.size() && column < crossPower.matrix[row].size())
        return crossPower.matrix[row][column];
    return gsl_complex_rect(0.0, 0.0);
}

} // namespace

namespace TensorResultFile {

QString recordText(const TensorCrossPower &crossPower, const TensorImpedance &z)
{
    QString text = QStringLiteral("Freq  ")
        + joined({z.freq, z.rhoXX, z.phaseXX, z.rhoXY, z.phaseXY, z.rhoYX, z.phaseYX, z.rhoYY,
                  z.phaseYY})
        + QLatin1Char('\n');
    for (int row = 0; row < kMatrixLines; ++row) {
        QVector<double> parts;
        for (int column = 0; column < kMatrixLines; ++column) {
            const gsl_complex element = elementOf(crossPower, row, column);
            parts << GSL_REAL(element) << GSL_IMAG(element);
        }
        text += QStringLiteral("    ") + joined(parts) + QLatin1Char('\n');
    }
    return text;
}

void parseFrequencyLine(const QStringList &fields, TensorImpedance &z)
{
    double *const targets[] = {&z.freq,   &z.rhoXX, &z.phaseXX, &z.rhoXY, &z.phaseXY,
                               &z.rhoYX, &z.phaseYX, &z.rhoYY, &z.phaseYY};
    for (int i = 0; i < kFrequencyFields - 1; ++i)
        *targets[i] = fields[i + 1].toDouble();
}

void parseMatrixLine(const QStringList &fields, int row, TensorCrossPower &crossPower)
{
    if (crossPower.matrix.size() != kMatrixLines)
        crossPower.matrix = QVector<QVector<gsl_complex>>(kMatrixLines,
                                                          QVector<gsl_complex>(kMatrixLines));
    for (int column = 0; column < kMatrixLines; ++column)
        crossPower.matrix[row][column] =
            gsl_complex_rect(fields[2 * column].toDouble(), fields[2 * column + 1].toDouble());
}

} // namespace TensorResultFile
