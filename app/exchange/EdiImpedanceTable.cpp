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
double relativeError(const OneFreqImpedance &z, const ImpedanceErrorBar *bar)
{
    return bar && std::isfinite(bar->rhoError) && z.rho > 0 ? bar->rhoError / z.rho : HUGE_VAL;
}

// Of the records of curve at freq (a station's curve holds a frequency twice where the bands of
// two recordings overlap), the index of the one known most precisely (bars: the curve's bars
// point by point); -1 when there is none.
int bestAt(const QVector<OneFreqImpedance> &curve, const QVector<const ImpedanceErrorBar *> &bars, double freq)
{
    int best = -1;
    for (int i = 0; i < curve.size(); ++i)
        if (sameFrequency(curve[i].freq, freq)
            && (best < 0 || relativeError(curve[i], bars[i]) < relativeError(curve[best], bars[best])))
            best = i;
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
    const QVector<const ImpedanceErrorBar *> xyBars = errorBarsAlong(exHy, exHyBars);
    const QVector<const ImpedanceErrorBar *> yxBars = errorBarsAlong(eyHx, eyHxBars);
    for (const OneFreqImpedance &first : exHy) {
        const bool seen = std::any_of(table.begin(), table.end(),
                                      [&](const EdiImpedanceRow &r) { return sameFrequency(r.freq, first.freq); });
        const int yxIndex = seen ? -1 : bestAt(eyHx, yxBars, first.freq);
        if (yxIndex < 0)
            continue;
        const int xyIndex = bestAt(exHy, xyBars, first.freq);
        const OneFreqImpedance &xy = exHy[xyIndex];
        const OneFreqImpedance &yx = eyHx[yxIndex];
        EdiImpedanceRow row;
        row.freq = xy.freq;
        row.zxy = impedanceOf(xy, 0);
        row.zyx = impedanceOf(yx, -180);
        row.rhoXy = xy.rho;
        row.rhoYx = yx.rho;
        row.phaseXy = xy.phase;
        row.phaseYx = yx.phase - 180;
        setErrors(xy, xyBars[xyIndex], row.varXy, row.rhoErrorXy, row.phaseErrorXy);
        setErrors(yx, yxBars[yxIndex], row.varYx, row.rhoErrorYx, row.phaseErrorYx);
        table.append(row);
    }
    std::sort(table.begin(), table.end(),
              [](const EdiImpedanceRow &a, const EdiImpedanceRow &b) { return a.freq < b.freq; });
    return table;
}

}  // namespace EdiImpedanceTable
