#pragma once
// One channel of a spectrum run, segment by segment: takes the next segment from the job's list or
// reads it from the job's file, converts electric samples to mV/km, tapers and transforms it with
// the shared plan of its length and divides it by the calibration tables. The raw and calibrated
// amplitudes are those of the record path (transform lines, then calibrateSpectrum) to the last bit,
// the phases to a few units in the last place (a vectorised arctangent); the complex values are the
// transform lines times a complex calibration factor per line, amplitude e^(i phase) to rounding.
//
// All buffers are the object's own and made once, so a segment allocates nothing; one object
// per channel, used by one thread at a time.

#include <QString>
#include <complex>
#include <memory>
#include <vector>

#include "CalibratedLines.h"
#include "ChannelSpectraJob.h"
#include "DensitySpectrum.h"
#include "SegmentStream.h"

class ChannelSegmentSpectrum {
public:
    ChannelSegmentSpectrum(const ChannelSpectraJob &job, int n);

    // Opens the job's file when it streams; false (errorString() set) when it cannot.
    bool open();
    // Segments the job holds: exact for a list and a binary recording, an upper bound for text.
    int segmentBound() const;
    // Takes segment index s (indexes come in order, from 0) and computes its spectrum; false when
    // the channel has no such segment (its list or file has ended, or the file failed).
    bool next(int s);
    bool failed() const { return !error.isEmpty(); }
    QString errorString() const { return error; }

    // The last segment's spectrum (empty for a segment shorter than the run's length).
    const CalibratedLines &lines() const { return calibrated; }
    // Its raw amplitudes (the transform's n/2 lines, uncalibrated); rawCount() values.
    const double *rawAmplitudes() const { return raw.data(); }
    int rawCount() const { return transformed ? int(raw.size()) : 0; }

private:
    const double *takeSamples(int s);
    void computeLines(const double *samples);

    const ChannelSpectraJob &job;
    int n;
    SegmentStream stream;
    DensitySpectrum transform;
    QString error;
    std::vector<double> frequencies, gainAmplitude, gainPhase, sensorAmplitude, sensorPhase;
    std::vector<std::complex<double>> factors;   // calibration per line, density scale included
    std::vector<double> samples, raw, phase, amplitudes, phases;
    std::vector<std::complex<double>> values;
    CalibratedLines calibrated;
    bool transformed = false;
};
