#pragma once
// A tensor-mode recording of one station written by the survey generator into a folder, and the
// channel descriptors the processing takes for it (the recorder's count scale for its rate, the
// station's sensor and gain tables), in the generator's channel order.

#include <QDir>
#include <QList>

#include "ProcessingRecords.h"
#include "SampleRateBands.h"
#include "SurveyWriter.h"

namespace TensorStationFiles {

// Writes plan's first recording in tensor mode; false when the generator cannot write it.
inline bool write(const QString &folder, StationPlan plan, QList<MTSampleData> &channels)
{
    plan.recordings.first().tensor = true;
    StationDescription written;
    if (!SurveyWriter(folder).writeStation(plan, &written))
        return false;
    const RecordingDescription &r = written.recordings.first();
    const QDir dir(folder);
    for (const ChannelDescription &c : r.channels) {
        MTSampleData d;
        d.channel = int(c.channel) + 1;
        d.sampleCount = int(r.sampleCount);
        d.sampleFrequency = r.sampleRate;
        d.countScale = float(SampleRateBands::tensorCountScale(r.sampleRate));
        d.dipoleLength = float(c.dipole);
        d.dataFile = c.dataFile;
        d.sensorFile = dir.filePath(c.sensorTable);
        d.gainFile = dir.filePath(c.gainTable);
        channels.append(d);
    }
    return true;
}

} // namespace TensorStationFiles
