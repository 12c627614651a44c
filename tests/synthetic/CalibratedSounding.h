#pragma once
// A minimal processing chain for checking synthetic recordings end to end, written the obvious
// way: read counts with Wavefile, scale by the converter's rule, turn electric samples into mV/km,
// taper and transform with Spectrix, divide by the calibration tables read with Trimora and
// resampled linearly onto the FFT lines, and average spectra over segments.

#include <QList>
#include <QString>
#include <QVector>
#include <complex>

#include "SpectralRecords.h"
#include "SurveyDescription.h"

namespace CalibratedSounding {

using Segments = QList<QList<OneFreqSpectrum>>;

// A sensor or gain table read with Trimora (phase in radians); empty when the load fails.
QList<OneFreqCheck> loadTable(const QString &path, bool sensor);

// Calibrated spectra (mV/km or nT per root hertz) of the first segmentCount segments of n samples.
// Empty when a file cannot be read.
Segments channelSpectra(const QString &workDir, const RecordingDescription &recording,
                        RecorderConventions::Channel channel, int n, int segmentCount);

// Cross powers of E and H averaged over the segments.
QVector<OneFreqCrossPower> meanCrossPowers(const Segments &e, const Segments &h);

// Segment-averaged cross spectrum a conj(b), line by line.
QVector<std::complex<double>> meanCrossSpectrum(const Segments &a, const Segments &b);

// n log-spaced frequencies from f1 to f2.
QVector<double> logSpaced(double f1, double f2, int n);

} // namespace CalibratedSounding
