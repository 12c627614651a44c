#pragma once
// Removing the recording chain from a channel spectrum: calibration tables resampled onto the FFT
// lines, the division by the sensor and gain transfer functions, and the conversion of electric
// samples to mV/km. Shared by the spectrum driver and the tensor processing.

#include <QList>
#include <QString>
#include <QVector>

#include "SpectralRecords.h"

namespace SpectrumCalibration {

// Replaces table by its values at the FFT lines k * fs / n, k = 1 .. n/2: amplitude and phase
// interpolated linearly in frequency, the end rows held outside the table's span. The table is
// sorted by strictly increasing frequency (as the calibration reader returns it); a table without
// rows, or one that is not sorted, comes back empty. n and fs must be positive.
void resampleCheckTable(QList<OneFreqCheck> &table, int n, double fs);

// Loads the sensor (or gain) table at path through the calibration reader and resamples it onto
// the lines of n and fs. False, with a debug line naming the file, when it cannot be loaded.
bool loadSensorTable(const QString &path, int n, double fs, QList<OneFreqCheck> &table);
bool loadGainTable(const QString &path, int n, double fs, QList<OneFreqCheck> &table);

// Spectrum divided by the gain table and, with useSensor, by the sensor table: amplitudes
// divided, table phases subtracted, line by line by position. Lines beyond the shorter table
// are dropped.
QList<OneFreqSpectrum> calibrateSpectrum(const QList<OneFreqSpectrum> &spectrum,
                                         const QList<OneFreqCheck> &sensor,
                                         const QList<OneFreqCheck> &gain, bool useSensor);

// The amplitude column of a spectrum, in order.
QVector<double> amplitudesOf(const QList<OneFreqSpectrum> &spectrum);

// Electric samples in mV over a dipole of dipoleLength metres, converted to mV/km.
QVector<double> scaleElectric(QVector<double> samples, double dipoleLength);

} // namespace SpectrumCalibration
