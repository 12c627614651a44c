#pragma once
// The calibration of one channel for the regression estimator: its sensor and gain tables (read
// with Trimora) turned into one complex factor per FFT line of a decimation level, which a
// line's raw coefficient is multiplied by. The tables are resampled onto the level's lines
// k fs / L exactly as the stacking estimators resample them (CalibrationLines::resample: linear
// in frequency, end rows held), and removed as they remove them (amplitude divided, phase
// subtracted, the sensor table only when it applies). With prewhitening the first difference's
// response is divided out as well.

#include <QList>
#include <QString>
#include <complex>
#include <vector>

#include "SpectralRecords.h"

struct RegressionChannel;

class ChannelCalibration {
public:
    // False, with failure naming the table, when a table cannot be read.
    bool load(const RegressionChannel &channel, QString &failure);

    // Factors for lines 0 .. L/2 of an L-sample segment at fs Hz; line 0 (no calibration defined)
    // gets 0. Empty when a table cannot be resampled.
    std::vector<std::complex<double>> lineFactors(int segmentLength, double fs, bool prewhitened) const;

private:
    QList<OneFreqCheck> sensor;
    QList<OneFreqCheck> gain;
    bool applySensor = true;
};
