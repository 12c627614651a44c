#include "RecorderConventions.h"

namespace RecorderConventions {

namespace {
const char *const names[channelCount] = {"Ex", "Ey", "Hx", "Hy", "Ex2"};
const char *const tags[channelCount] = {"E0", "E1", "Hx", "Hy", "E2"};
constexpr double rateOf24BitConverter = 4096.0;
} // namespace

Channel channelAt(int index)
{
    return static_cast<Channel>(index);
}

bool isElectric(Channel channel)
{
    return channel == Channel::Ex || channel == Channel::Ey || channel == Channel::Ex2;
}

QString channelName(Channel channel)
{
    return QString::fromLatin1(names[static_cast<int>(channel)]);
}

QString channelTag(Channel channel)
{
    return QString::fromLatin1(tags[static_cast<int>(channel)]);
}

QString gainChannelWord(Channel channel)
{
    return channelName(channel) + QLatin1Char('-');
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
