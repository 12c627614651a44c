#include "ImpedanceFormulas.h"

#include "SpectralMath.h"

#include <QDebug>
#include <QString>
#include <gsl/gsl_complex_math.h>

#include <cmath>

namespace ImpedanceFormulas {

double cagniardRho(gsl_complex s0, gsl_complex s3, double f)
{
    return GSL_REAL(s0) / GSL_REAL(s3) / (f * 5);
}

double foldedPhaseDegrees(gsl_complex s1)
{
    const double phase = std::fabs(gsl_complex_arg(s1) / SpectralMath::kPi * 180);
    return phase > 90 ? 180 - phase : phase;
}

double mappedPhase(double phase)
{
    if (phase < 0.01)
        phase = 1.05;
    if (phase > 45)
        return 45 + 0.75 * (phase - 45);
    if (phase < 45)
        return 45 + 0.5 * (phase - 45);
    return phase;
}

double bostickDepth(double rho, double f)
{
    return 356 * std::sqrt(rho / f);
}

double bostickRho(double rho, double phase)
{
    return (90 / phase - 1) * rho;
}

void substituteFallback(OneFreqImpedance &result)
{
    result.coherency = 0.01;
    result.phase = 45;
    result.rho = 1;
    qDebug().noquote() << QStringLiteral("%1 nan or inf").arg(QString::number(result.freq, 'g', 6));
    qDebug().noquote() << QStringLiteral("%1 %2 nan or inf ")
                              .arg(QString::number(result.phase, 'g', 6), QString::number(result.rho, 'g', 6));
}

} // namespace ImpedanceFormulas
