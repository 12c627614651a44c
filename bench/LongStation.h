#pragma once
// A long five-channel station for the benchmarks: written by the survey generator into a folder,
// with a descriptor file ("descriptors.tsv") that lets a measuring child process read the channels
// back without the project store: one line per channel with its code, sample count, rate, dipole,
// data file, sensor table and gain table.

#include <QFile>
#include <QStringList>
#include <QTextStream>

#include "ProcessingRecords.h"
#include "SampleRateBands.h"
#include "SurveyWriter.h"

namespace LongStation {

const char *const kDescriptorFile = "descriptors.tsv";

inline int codeOf(RecorderConventions::Channel channel)
{
    const int codes[] = {1, 2, 3, 4, 5};  // Ex, Ey, Hx, Hy, Ex2 in the generator's order
    return codes[int(channel)];
}

// A tensor-mode recording of minutes at rate Hz.
inline bool write(const QString &dir, int minutes, int rate)
{
    StationPlan station;
    RecordingPlan recording;
    recording.sampleRate = rate;
    recording.seconds = minutes * 60;
    recording.tensor = true;
    station.recordings = {recording};
    StationDescription written;
    if (!SurveyWriter(dir).writeStation(station, &written))
        return false;
    QFile file(dir + "/" + kDescriptorFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream tsv(&file);
    const RecordingDescription &r = written.recordings.first();
    for (const ChannelDescription &c : r.channels)
        tsv << codeOf(c.channel) << '\t' << r.sampleCount << '\t' << r.sampleRate << '\t' << c.dipole
            << '\t' << c.dataFile << '\t' << dir + "/" + c.sensorTable << '\t' << dir + "/" + c.gainTable << '\n';
    return true;
}

inline QList<MTSampleData> readDescriptors(const QString &dir)
{
    QList<MTSampleData> descriptors;
    QFile file(dir + "/" + kDescriptorFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return descriptors;
    QTextStream tsv(&file);
    while (!tsv.atEnd()) {
        const QStringList f = tsv.readLine().split('\t');
        if (f.size() < 7)
            continue;
        MTSampleData d;
        d.channel = f[0].toInt();
        d.sampleCount = f[1].toInt();
        d.sampleFrequency = f[2].toInt();
        d.dipoleLength = f[3].toFloat();
        d.dataFile = f[4];
        d.sensorFile = f[5];
        d.gainFile = f[6];
        descriptors.append(d);
    }
    return descriptors;
}

// mV per recorder count at the descriptor's rate.
inline double readerScale(const MTSampleData &d)
{
    return SampleRateBands::tensorCountScale(d.sampleFrequency);
}

} // namespace LongStation
