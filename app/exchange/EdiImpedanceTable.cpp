#include "EdiImpedanceTable.h"

#include <QString>
#include <algorithm>
#include <cmath>

namespace EdiImpedanceTable {

namespace {

constexpr double kPi = 3.14159265358979323846;

bool sameFrequency(double a, double b)
{
    return QString::number(a, 'g', 6) == QString::number(b, 'g', 6);
}

std::complex<double> impedanceOf(const OneFreqImpedance &z, double quadrantTurn)
{
    return std::polar(std::sqrt(5 * z.freq * z.rho), (z.phase + quadrantTurn) * kPi / 180);
}

// Relative resistivity error of a record, infinite when none is known.
double relativeError(const OneFreqImpedance &z, const QVector<ImpedanceErrorBar> &bars)
{
    const ImpedanceErrorBar *bar = errorBarAt(bars, z.freq);
    return bar && std::isfinite(bar->rhoError) && z.rho > 0 ? bar->rhoError / z.rho : HUGE_VAL;
}

// Of the records of curve at freq (a station's curve holds a frequency twice where the bands of
// two recordings overlap), the one known most precisely; null when there is none.
const OneFreqImpedance *bestAt(const QVector<OneFreqImpedance> &curve, const QVector<ImpedanceErrorBar> &bars,
                               double freq)
{
    const OneFreqImpedance *best = nullptr;
    for (const OneFreqImpedance &z : curve)
        if (sameFrequency(z.freq, freq) && (!best || relativeError(z, bars) < relativeError(*best, bars)))
            best = &z;
    return best;
}

void setErrors(const OneFreqImpedance &z, const ImpedanceErrorBar *bar, double &variance,
               double &rhoError, double &phaseError)
{
    const double d = bar ? bar->impedanceError(z.rho) : std::nan("");
    variance = d * d;
    rhoError = bar ? bar->rhoError : std::nan("");
    phaseError = bar ? bar->phaseError : std::nan("");
}

} // namespace

QVector<EdiImpedanceRow> rows(const QVector<OneFreqImpedance> &exHy, const QVector<ImpedanceErrorBar> &exHyBars,
                              const QVector<OneFreqImpedance> &eyHx, const QVector<ImpedanceErrorBar> &eyHxBars)
{
    QVector<EdiImpedanceRow> table;
    for (const OneFreqImpedance &first : exHy) {
        const bool seen = std::any_of(table.begin(), table.end(),
                                      [&](const EdiImpedanceRow &r) { return sameFrequency(r.freq, first.freq); });
        const OneFreqImpedance *yx = seen ? nullptr : bestAt(eyHx, eyHxBars, first.freq);
        if (!yx)
            continue;
        const OneFreqImpedance &xy = *bestAt(exHy, exHyBars, first.freq);
        EdiImpedanceRow row;
        row.freq = xy.freq;
        row.zxy = impedanceOf(xy, 0);
        row.zyx = impedanceOf(*yx, -180);
        row.rhoXy = xy.rho;
        row.rhoYx = yx->rho;
        row.phaseXy = xy.phase;
        row.phaseYx = yx->phase - 180;
        setErrors(xy, errorBarAt(exHyBars, xy.freq), row.varXy, row.rhoErrorXy, row.phaseErrorXy);
        setErrors(*yx, errorBarAt(eyHxBars, yx->freq), row.varYx, row.rhoErrorYx, row.phaseErrorYx);
        table.append(row);
    }
    std::sort(table.begin(), table.end(),
              [](const EdiImpedanceRow &a, const EdiImpedanceRow &b) { return a.freq < b.freq; });
    return table;
}

}  // namespace EdiImpedanceTable
