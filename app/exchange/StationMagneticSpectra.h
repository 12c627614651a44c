#pragma once
// The calibrated amplitude spectra of a station's two magnetic channels at the standard
// frequencies, merged over its used recordings (a frequency covered by two recordings holds the
// mean of the two values).
//
// Every recording is read as station processing reads it: the recorder's count scale for its
// rate, consecutive segments of the settings' FFT length (16384 samples when that is below 1), at
// most the settings' segment count of them (-1: all). Each channel is calibrated with its own
// sensor table and its own gain table, the tables its processing and the spectrum view use, so
// the exported amplitudes agree with what the operator sees for the same recording.

#include <QMap>
#include <QString>
#include <QVector>
#include <functional>

#include "ProcessingRecords.h"

class Data_Station;

struct MagneticSpectra {
    QMap<double, double> hx;  // frequency (Hz) -> calibrated amplitude
    QMap<double, double> hy;
};

namespace StationMagneticSpectra {

// Samples per segment for the settings: their FFT length, or 16384 when that is not an accepted
// length (negative, or outside kShortestSegment..kLongestSegment).
int segmentLength(const ReCalculateParam &settings);

// The magnetic channels (Hx and Hy) of station's used recordings, whose recording table and files
// are in stationFolder; reads the project (the station's recordings), so it runs on the database
// thread. A recording without a table row adds nothing (warning naming it).
QVector<MTSampleData> magneticChannels(Data_Station &station, const QString &stationFolder);

// The merged spectra of channels into spectra; reads files only, so it may run on any thread. A
// channel whose series or calibration tables cannot be read adds nothing (warning naming it).
// keepGoing (when set) is asked before each channel with the fraction of channels done; false
// stops the reading and the result is false.
bool compute(const QVector<MTSampleData> &channels, const ReCalculateParam &settings,
             const std::function<bool(double fraction)> &keepGoing, MagneticSpectra &spectra);

} // namespace StationMagneticSpectra
