#pragma once
// The analyses of a recording's spectra at target frequencies: each channel's stacked calibrated
// amplitude and the stacked cross powers are band-averaged with the Parzen kernel of relative
// half-width 0.3, and coherencies sqrt(|Seh|^2 / (See Shh)) are formed from the averaged cross
// and auto powers. A target whose band holds no line, and a quantity whose spectrum or cross
// power was not computed, is NaN.
//
// Targets: the standard frequencies (ten per decade) from a lower limit up to the highest line
// fmax; the limit is 10 Hz when 500 < 2 fmax < 4096, else 1 Hz when fmax < 501, else 1000 Hz.

#include <QList>

#include "NumberTable.h"
#include "RecordingSpectra.h"

namespace SpectrumAnalysis {

constexpr double kBandwidth = 0.3;

double lowestTarget(double fmax);
QList<double> targetFrequencies(double fmax);
// The standard frequencies from the lowest to the highest line of the spectra.
QList<double> spanTargets(const RecordingSpectra &spectra);

// Coherency of the band average of stacked cross powers at f0 (NaN without a band).
double bandCoherency(double f0, const QVector<OneFreqCrossPower> &stacked);

// "Freq","Ex","Ey","Ex2","Hx","Hy","CohE0","CohE1","CohE2","CohEall": band-averaged amplitudes
// and the coherencies of Ex-Hy, Ey-Hx, Ex2-Hy and of the mean electric spectrum against Hy.
NumberTable electricTable(const RecordingSpectra &spectra);
// "Freq","Pha","HxHyReal","HxHyImage": the band-averaged Hx-Hy cross power Hx conj(Hy), its
// phase |atan2(Im, Re)| in degrees, real and imaginary parts.
NumberTable magneticCrossPowerTable(const RecordingSpectra &spectra);
// "Freq","Hx","Hy","CohHxHy": the magnetic amplitudes and their coherency.
NumberTable magneticTable(const RecordingSpectra &spectra);
// "Freq","ExHy","EyHx": coherencies of the two scalar pairs at the given targets.
NumberTable pairCoherencyTable(const RecordingSpectra &spectra, const QList<double> &targets);

} // namespace SpectrumAnalysis
