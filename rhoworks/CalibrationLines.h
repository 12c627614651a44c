#pragma once
// Sensor and gain calibration tables on the FFT lines k fs / n, k = 1 .. n/2: a table as the
// calibration reader returns it (sorted by frequency, phase in radians) resampled onto the lines of
// a segment, and the resampled tables removed from a spectrum of the same segment. The resistivity
// pipeline and the processing drivers both calibrate their spectra this way.

#include <QList>

#include "RhoworksExport.h"
#include "SpectralRecords.h"

namespace CalibrationLines {

// Replaces table by its values at the FFT lines: amplitude and phase interpolated linearly in
// frequency (GSL), the end rows held outside the table's span, a one-row table held everywhere.
// False, table emptied, when n < 2 or fs is not positive, or (with a debug line) when the table
// has no row or its frequencies are not finite and strictly increasing.
RHOWORKS_EXPORT bool resample(QList<OneFreqCheck> &table, int n, double fs);
// spectrum with the gain table and, with useSensor, the sensor table removed line by line by
// position: amplitude divided by the table's, table phase subtracted, gain first. Lines beyond the
// shorter table are dropped.
RHOWORKS_EXPORT QList<OneFreqSpectrum> remove(const QList<OneFreqSpectrum> &spectrum,
                                              const QList<OneFreqCheck> &sensor,
                                              const QList<OneFreqCheck> &gain, bool useSensor);

}  // namespace CalibrationLines
