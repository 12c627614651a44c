#pragma once
// Comma-separated tables of a station's curves, one row per frequency, numbers with six
// significant digits.
//
// Scalar: "frequency_hz" then rho, phase and coherency of ExHy, EyHx and Ex2Hy (and rho and
// phase of the multi-polarity curve when there is one). The curves are lined up by frequency;
// a curve that lacks a frequency leaves its cells empty. A station's curve assembled from two
// recordings whose bands overlap holds some frequencies twice: the first records of that
// frequency share one row, the second ones the next.
// Tensor: "frequency_hz,band" then rho and phase of Zxx, Zxy, Zyx and Zyy.

#include <QList>
#include <QStringList>
#include <QVector>

#include "SpectralRecords.h"
#include "StationTensorFiles.h"

namespace CurveTable {

QStringList scalarRows(const QVector<OneFreqImpedance> &exHy, const QVector<OneFreqImpedance> &eyHx,
                       const QVector<OneFreqImpedance> &ex2Hy,
                       const QVector<OneFreqImpedance> &multiPolarity);
QStringList tensorRows(const QList<StationTensorFiles::BandImpedance> &records);

} // namespace CurveTable
