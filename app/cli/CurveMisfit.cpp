#include "CurveMisfit.h"

#include <cmath>

#include "Rhoworks.h"

namespace CurveMisfit {

bool isFilledIn(double freq)
{
    QVector<double> filledIn = Rhoworks::deadFrequencyList();
    return Rhoworks().findSampeFreq(freq, filledIn);
}

Window interior(int rate, int n)
{
    return {32.0 * rate / n, rate / 4.0};
}

double mappedPhase(double degrees)
{
    return degrees > 45.0 ? 45.0 + 0.75 * (degrees - 45.0) : 45.0 + 0.5 * (degrees - 45.0);
}

void Misfit::add(double freq, double recoveredRho, double recoveredPhase, double modelRho,
                 double modelPhase)
{
    const double rhoError = std::abs(recoveredRho / modelRho - 1.0);
    const double phaseError = std::abs(recoveredPhase - modelPhase);
    ++count;
    if (rhoError > rho || phaseError > phase || worst.isEmpty()) {
        worst = QStringLiteral("%1 Hz: rho %2 (model %3), phase %4 (model %5)")
                    .arg(freq, 0, 'g', 3).arg(recoveredRho, 0, 'g', 4).arg(modelRho, 0, 'g', 4)
                    .arg(recoveredPhase, 0, 'f', 2).arg(modelPhase, 0, 'f', 2);
    }
    rho = std::max(rho, rhoError);
    phase = std::max(phase, phaseError);
}

} // namespace CurveMisfit
