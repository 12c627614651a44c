#pragma once
// The impedance-form EDI content of one station, from its two stored scalar curves and their
// error bars: for every frequency both ExHy and EyHx hold (frequencies compared at six significant
// digits; where a curve holds a frequency twice, from two recordings whose bands overlap, the
// record with the smaller relative error), Zxy and Zyx rebuilt from apparent resistivity and phase, |Z| = sqrt(5 f rho) in
// (mV/km)/nT, with the sign convention of common EDI readers (time dependence e^{+i w t}: Zxy in
// the first quadrant, Zyx in the third, a one-dimensional earth giving Zyx = -Zxy), and the
// variance of each from its resistivity error bar (var = d^2, d the standard error of the real and
// of the imaginary part, ImpedanceErrorBar::impedanceError). The curves keep no diagonal elements,
// so Zxx and Zyy are empty; a point without an error bar has an empty variance.

#include <QVector>
#include <complex>

#include "ImpedanceErrorBar.h"
#include "SpectralRecords.h"

struct EdiImpedanceRow {
    double freq = 0;                 // Hz
    std::complex<double> zxy, zyx;   // (mV/km)/nT
    double varXy = 0, varYx = 0;     // NaN: not known
    double rhoXy = 0, rhoYx = 0;     // ohm-m
    double phaseXy = 0, phaseYx = 0; // degrees, of Zxy (0..90) and of Zyx (-180..-90)
    double rhoErrorXy = 0, rhoErrorYx = 0, phaseErrorXy = 0, phaseErrorYx = 0;  // NaN: not known
};

namespace EdiImpedanceTable {

// Rows in increasing frequency.
QVector<EdiImpedanceRow> rows(const QVector<OneFreqImpedance> &exHy, const QVector<ImpedanceErrorBar> &exHyBars,
                              const QVector<OneFreqImpedance> &eyHx, const QVector<ImpedanceErrorBar> &eyHxBars);

}  // namespace EdiImpedanceTable
