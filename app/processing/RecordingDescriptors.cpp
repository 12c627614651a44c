#include "RecordingDescriptors.h"

#include <QFileInfo>

#include "Channels.h"
#include "SampleRateBands.h"
#include "WholeNumbers.h"

namespace RecordingDescriptors {

namespace {

// The fixed facts of one channel in a header.
struct ChannelEntry {
    int code;
    const char *tag;   // marks the channel's time-series file name
    const char *word;  // the channel word of its gain table
    bool electric;
    bool present;
    QString sensor;
    double dipole;
};

ChannelEntry entryOf(const RecordingHeader &h, int code)
{
    const struct {
        int code;
        bool present;
        QString sensor;
        double dipole;
    } recorded[] = {
        {Channel_Ex, h.hasEx, h.exSensor, h.exDipole},    {Channel_Ey, h.hasEy, h.eySensor, h.eyDipole},
        {Channel_Ex2, h.hasEx2, h.ex2Sensor, h.ex2Dipole}, {Channel_Hx, h.hasHx, h.hxSensor, 0.0},
        {Channel_Hy, h.hasHy, h.hySensor, 0.0},
    };
    const ChannelFacts *facts = Channels::ofCode(code);
    for (const auto &r : recorded)
        if (facts && r.code == code)
            return ChannelEntry{code, facts->tag, facts->gainWord, facts->electric, r.present, r.sensor,
                               r.dipole};
    return ChannelEntry{code, "", "", false, false, QString(), 0.0};
}

// What one channel contributes to a descriptor.
struct ChannelFiles {
    bool electric = false;
    float dipole = 0.0f;
    QString gainFile;
    QString dataFile;
    QString sensorFile;
};

ChannelFiles channelFiles(const RecordingHeader &h, int code)
{
    const ChannelEntry s = entryOf(h, code);
    ChannelFiles out;
    out.electric = s.electric;
    out.dipole = float(s.dipole);
    out.gainFile = gainFilePath(h, QString::fromLatin1(s.word),
                                s.electric ? h.eGainNumber : h.hGainNumber);
    out.dataFile = dataFileFor(h.files, QString::fromLatin1(s.tag));
    out.sensorFile = QStringLiteral("SensorsFile/") + s.sensor + QStringLiteral(".txt");
    return out;
}

// Seconds, summed in double precision: the table's hours, minutes and seconds may be any ints.
float durationOf(const RecordingHeader &h)
{
    return float((double(h.hours) * 60 + h.minutes) * 60 + h.seconds);
}

// Samples in a recording of duration seconds at rate Hz, held within the int range.
int sampleCountOf(int rate, float duration)
{
    return WholeNumbers::clampedInt(float(rate) * duration);
}

OneMTSample pairSample(const RecordingHeader &h, int electric, int magnetic, const char *name)
{
    const ChannelFiles e = channelFiles(h, electric);
    const ChannelFiles m = channelFiles(h, magnetic);
    OneMTSample pair;
    pair.duration = durationOf(h);
    pair.sampleCount = sampleCountOf(h.sampleRate, pair.duration);
    pair.sampleFrequency = h.sampleRate;
    pair.countScale = SampleRateBands::descriptorCountScale(h.sampleRate);
    pair.lowBand = h.lowBand;
    pair.dipoleLength = e.dipole;
    pair.eGainFile = e.gainFile;
    pair.hGainFile = m.gainFile;
    pair.eDataFile = e.dataFile;
    pair.hDataFile = m.dataFile;
    pair.eSensorFile = e.sensorFile;
    pair.hSensorFile = m.sensorFile;
    pair.pairName = QString::fromLatin1(name);
    return pair;
}

} // namespace

QString gainFilePath(const RecordingHeader &h, const QString &channelWord, int number)
{
    return QStringLiteral("GainCalibration/") + QString::number(h.instrumentNumber)
           + SampleRateBands::gainFolder(h.sampleRate, h.lowBand != 0) + channelWord
           + QString::number(number)
           + QStringLiteral(".txt");
}

QString dataFileFor(const QStringList &files, const QString &tag)
{
    // Only the name is searched: a folder called e.g. "Hydro" must not make every file an Hy file.
    QString match;
    for (const QString &file : files)
        if (QFileInfo(file).fileName().contains(tag, Qt::CaseSensitive))
            match = file;
    return match;
}

QList<MTSampleData> buildChannelSamples(const RecordingHeader &h)
{
    QList<MTSampleData> samples;
    for (int code : {Channel_Ex, Channel_Ey, Channel_Ex2, Channel_Hx, Channel_Hy}) {
        if (!entryOf(h, code).present)
            continue;
        const ChannelFiles c = channelFiles(h, code);
        MTSampleData s;
        s.channel = code;
        s.duration = durationOf(h);
        s.sampleCount = sampleCountOf(h.sampleRate, s.duration);
        s.sampleFrequency = h.sampleRate;
        s.countScale = SampleRateBands::descriptorCountScale(h.sampleRate);
        s.lowBand = c.electric ? h.lowBand : 0;
        s.dipoleLength = c.electric ? c.dipole : 0.0f;
        s.gainFile = c.gainFile;
        s.dataFile = c.dataFile;
        s.sensorFile = c.sensorFile;
        samples << s;
    }
    return samples;
}

QList<OneMTSample> buildPairSamples(const RecordingHeader &h)
{
    QList<OneMTSample> pairs;
    if (h.hasHx && h.hasEy)
        pairs << pairSample(h, Channel_Ey, Channel_Hx, "EyHx");
    if (h.hasHy && h.hasEx)
        pairs << pairSample(h, Channel_Ex, Channel_Hy, "ExHy");
    if (h.hasHy && h.hasEx2)
        pairs << pairSample(h, Channel_Ex2, Channel_Hy, "Ex2Hy");
    return pairs;
}

QList<OneMTSample> buildSingleHPairSamples(const RecordingHeader &h)
{
    QList<OneMTSample> pairs;
    if (!h.hasHy && !h.hasHx)
        return pairs;
    const int magnetic = h.hasHy ? Channel_Hy : Channel_Hx;
    if (h.hasEy)
        pairs << pairSample(h, Channel_Ey, magnetic, "EyHx");
    if (h.hasEx)
        pairs << pairSample(h, Channel_Ex, magnetic, "ExHy");
    if (h.hasEx2)
        pairs << pairSample(h, Channel_Ex2, magnetic, "Ex2Hy");
    return pairs;
}

} // namespace RecordingDescriptors
