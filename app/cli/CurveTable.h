#pragma once
// Comma-separated tables of a station's curves, one row per frequency, numbers with six
// significant digits.
//
// Scalar: "frequency_hz" then rho, phase and coherency of ExHy, EyHx and Ex2Hy (and rho and
// phase of the multi-polarity curve when there is one). When any of the three curves carries
// error bars, each curve's coherency is followed by its "_rho_error" and "_phase_error" columns
// (one standard error, ohm-m and degrees; empty where no error is known). The curves are lined up by frequency;
// a curve that lacks a frequency leaves its cells empty. A station's curve assembled from two
// recordings whose bands overlap holds some frequencies twice: the first records of that
// frequency share one row, the second ones the next.
// Tensor: "frequency_hz,band" then rho and phase of Zxx, Zxy, Zyx and Zyy.

#include <QList>
#include <QStringList>
#include <QVector>

#include "ImpedanceErrorBar.h"
#include "SpectralRecords.h"
#include "StationTensorFiles.h"

namespace CurveTable {

QStringList scalarRows(const QVector<OneFreqImpedance> &exHy, const QVector<OneFreqImpedance> &eyHx,
                       const QVector<OneFreqImpedance> &ex2Hy,
                       const QVector<OneFreqImpedance> &multiPolarity,
                       const QVector<ImpedanceErrorBar> &exHyBars = {},
                       const QVector<ImpedanceErrorBar> &eyHxBars = {},
                       const QVector<ImpedanceErrorBar> &ex2HyBars = {});
QStringList tensorRows(const QList<StationTensorFiles::BandImpedance> &records);

} // namespace CurveTable
