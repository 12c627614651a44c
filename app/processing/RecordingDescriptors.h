#pragma once
// Descriptors of a recording for the processing drivers: one per channel or one per
// electric/magnetic channel pair, with the sampling figures and the three files each channel
// needs (time series, sensor table, gain table). All paths are relative to the working folder,
// except the time-series paths, which are the header's own.

#include "ProcessingRecords.h"
#include "RecordingHeader.h"

namespace RecordingDescriptors {

// Channels in the order Ex, Ey, Ex2, Hx, Hy, each only when present.
QList<MTSampleData> buildChannelSamples(const RecordingHeader &header);
// "EyHx" when Ey and Hx are present; then, with Hy present, "ExHy" (with Ex) and "Ex2Hy" (with
// Ex2).
QList<OneMTSample> buildPairSamples(const RecordingHeader &header);
// Every present electric channel (Ey, Ex, Ex2) paired with Hy when present, else with Hx; empty
// without either. The pair names stay "EyHx", "ExHy", "Ex2Hy".
QList<OneMTSample> buildSingleHPairSamples(const RecordingHeader &header);

// "GainCalibration/<instrument>/<band>/<word><number>.txt".
QString gainFilePath(const RecordingHeader &header, const QString &channelWord, int number);
// The last file whose name (without its folder) contains tag, or an empty string.
QString dataFileFor(const QStringList &files, const QString &tag);

} // namespace RecordingDescriptors
