#pragma once
// A synthetic station written by the survey generator and the regression request that reads it,
// shared by the estimator's file-level tests and its benchmark: Ex, Ey (outputs), Hx, Hy (inputs)
// with their calibration tables as the generator wrote them, and helpers that damage a written
// channel the way field data is damaged.

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <functional>

#include "RegressionRequest.h"
#include "SurveyWriter.h"

namespace EstimatorStation {

struct Written {
    StationDescription description;
    RegressionRequest request;
    double fs = 0;
};

inline RegressionChannel channelOf(const QString &workDir, const RecordingDescription &recording,
                                   RecorderConventions::Channel which)
{
    RegressionChannel channel;
    for (const ChannelDescription &c : recording.channels) {
        if (c.channel != which)
            continue;
        channel.dataFile = c.dataFile;
        channel.sensorFile = workDir + "/" + c.sensorTable;
        channel.gainFile = workDir + "/" + c.gainTable;
        const bool electric = RecorderConventions::isElectric(which);
        channel.applySensor = !electric || recording.electricSensorApplied;
        channel.countScale = recording.adcScale;
        channel.unitFactor = electric ? 1000.0 / c.dipole : 1.0;
    }
    return channel;
}

// Writes the station into folder (its first recording) and fills the request of a tensor fit.
inline bool write(const QString &folder, const StationPlan &station, Written &written)
{
    if (!SurveyWriter(folder).writeStation(station, &written.description) || written.description.recordings.isEmpty())
        return false;
    const RecordingDescription &r = written.description.recordings.first();
    using C = RecorderConventions::Channel;
    written.fs = r.sampleRate;
    written.request.fs = r.sampleRate;
    written.request.outputs = {channelOf(folder, r, C::Ex), channelOf(folder, r, C::Ey)};
    written.request.inputs = {channelOf(folder, r, C::Hx), channelOf(folder, r, C::Hy)};
    return !written.request.outputs[0].dataFile.isEmpty() && !written.request.inputs[1].dataFile.isEmpty();
}

// Adds add(t) millivolts to sample t of a written channel file (int32 counts of countScale mV).
inline bool addMillivolts(const RegressionChannel &channel, const std::function<double(qint64)> &add)
{
    QFile file(channel.dataFile);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = file.readAll();
    qint32 *counts = reinterpret_cast<qint32 *>(bytes.data());
    for (qint64 t = 0; t < bytes.size() / 4; ++t) {
        const double mv = qFromLittleEndian(counts[t]) * channel.countScale + add(t);
        counts[t] = qToLittleEndian(qint32(std::lround(mv / channel.countScale)));
    }
    return file.seek(0) && file.write(bytes) == bytes.size();
}

}  // namespace EstimatorStation
