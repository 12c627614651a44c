#include "RecorderConventions.h"

#include "Channels.h"

namespace RecorderConventions {

namespace {
constexpr double rateOf24BitConverter = 4096.0;

// The processing's facts of channel (its table column is the channel's value).
const ChannelFacts &factsOf(Channel channel)
{
    return Channels::all().at(static_cast<int>(channel));
}
} // namespace

Channel channelAt(int index)
{
    return static_cast<Channel>(index);
}

bool isElectric(Channel channel)
{
    return factsOf(channel).electric;
}

QString channelName(Channel channel)
{
    return QString::fromLatin1(factsOf(channel).name);
}

QString channelTag(Channel channel)
{
    return QString::fromLatin1(factsOf(channel).tag);
}

QString gainChannelWord(Channel channel)
{
    return QString::fromLatin1(factsOf(channel).gainWord);
}

double adcScaleMilliVoltPerCount(double sampleRate)
{
    return sampleRate < rateOf24BitConverter ? 2500.0 / 2147483648.0 : 3000.0 / 8388608.0;
}

qint64 fullScaleCounts(double sampleRate)
{
    return sampleRate < rateOf24BitConverter ? Q_INT64_C(2147483648) : Q_INT64_C(8388608);
}

GainBand gainBand(int sampleRate, bool lowBand)
{
    if (sampleRate > 4096)
        return GainBand::HighH;
    return lowBand ? GainBand::LowL : GainBand::LowH;
}

QString gainBandFolder(GainBand band)
{
    switch (band) {
    case GainBand::HighH:
        return QStringLiteral("/High-H/");
    case GainBand::LowL:
        return QStringLiteral("/Low-L/");
    case GainBand::LowH:
        break;
    }
    return QStringLiteral("/Low-H/");
}

QString sensorTablePath(const QString &serial)
{
    return QStringLiteral("SensorsFile/") + serial + QStringLiteral(".txt");
}

QString gainTablePath(int instrumentNumber, int sampleRate, bool lowBand, Channel channel,
                      int gainNumber)
{
    return QStringLiteral("GainCalibration/") + QString::number(instrumentNumber)
           + gainBandFolder(gainBand(sampleRate, lowBand)) + gainChannelWord(channel)
           + QString::number(gainNumber) + QStringLiteral(".txt");
}

bool electricSensorApplied(bool lowBand)
{
    return !lowBand;
}

} // namespace RecorderConventions
