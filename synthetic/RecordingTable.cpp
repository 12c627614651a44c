#include "RecordingTable.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include "TextFileOutput.h"

using RecorderConventions::Channel;
using RecorderConventions::channelAt;
using RecorderConventions::channelCount;

namespace {

const char *const headings =
    "No,Ex,Ey,Hx,Hy,Ex2,ExSensor,EySensor,HxSensor,HySensor,Ex2Sensor,EGain,HGain,ExDipole,"
    "EyDipole,Ex2Dipole,LowBand,Duration,Electrode,Mode,Date,Time,Files";

bool isRecorded(const RecordingDescription &recording, Channel channel)
{
    for (const ChannelDescription &c : recording.channels) {
        if (c.channel == channel)
            return true;
    }
    return false;
}

} // namespace

QString RecordingTable::durationText(int seconds)
{
    return QStringLiteral("%1时%2分%3秒").arg(seconds / 3600).arg(seconds / 60 % 60).arg(seconds % 60);
}

QStringList RecordingTable::rowFields(const StationPlan &station,
                                      const RecordingDescription &recording)
{
    QStringList fields{QString::number(recording.number)};
    for (int c = 0; c < channelCount; ++c)
        fields << (isRecorded(recording, channelAt(c)) ? QStringLiteral("1") : QStringLiteral("0"));
    for (int c = 0; c < channelCount; ++c)
        fields << station.serials[size_t(c)];
    fields << QString::number(station.eGainNumber) << QString::number(station.hGainNumber)
           << QString::number(station.exDipole) << QString::number(station.eyDipole)
           << QString::number(station.ex2Dipole) << QString::number(recording.lowBand ? 1 : 0)
           << durationText(recording.seconds) << QStringLiteral("不极化电极")
           << (recording.tensor ? QStringLiteral("矢量") : QStringLiteral("标量"))
           << recording.start.toString(QStringLiteral("yyyy-MM-dd"))
           << recording.start.toString(QStringLiteral("hh:mm:ss"));
    for (const ChannelDescription &c : recording.channels)
        fields << QFileInfo(c.dataFile).fileName();
    return fields;
}

bool RecordingTable::write(const QString &path, const StationPlan &station,
                           const QList<RecordingDescription> &recordings)
{
    QFile file(path);
    if (!TextFileOutput::open(file, "RecordingTable::write"))
        return false;
    QTextStream out(&file);
    out.setCodec("UTF-8");
    out << QStringLiteral("Recording table, Line %1, Station %2\n").arg(station.line).arg(station.station);
    out << station.instrumentNumber << ',' << station.line << ',' << station.station << '\n';
    out << headings << '\n';
    for (const RecordingDescription &recording : recordings)
        out << rowFields(station, recording).join(QLatin1Char(',')) << '\n';
    return TextFileOutput::finish(file, out, "RecordingTable::write");
}
