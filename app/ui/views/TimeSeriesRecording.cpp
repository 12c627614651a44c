#include "TimeSeriesRecording.h"

#include <algorithm>

namespace {

// The pair whose electric channel sits in slot, as the hub names pairs.
QString pairOfElectricSlot(int slot)
{
    switch (slot) {
    case Slot_Ex:
        return QStringLiteral("ExHy");
    case Slot_Ey:
        return QStringLiteral("EyHx");
    case Slot_Ex2:
        return QStringLiteral("Ex2Hy");
    default:
        return QString();
    }
}

} // namespace

void TimeSeriesRecording::clear()
{
    order.clear();
    envelopes = {};
    channels.clear();
    pairs.clear();
}

void TimeSeriesRecording::setChannelDescriptors(const QList<MTSampleData> &descriptors,
                                                const ReCalculateParam &param)
{
    channels = descriptors;
    settings = param;
}

void TimeSeriesRecording::setPairDescriptors(const QList<OneMTSample> &descriptors,
                                             const ReCalculateParam &param)
{
    pairs = descriptors;
    settings = param;
}

bool TimeSeriesRecording::setSeries(const QString &name, const QList<QVector<double>> &segments)
{
    const int slot = ChannelSlots::slotOfName(name);
    if (slot < 0)
        return false;
    envelopes[slot] = SampleEnvelope(segments);
    if (!order.contains(slot))
        order.append(slot);
    return true;
}

void TimeSeriesRecording::keepChannels(const QList<QString> &names)
{
    QList<int> kept;
    for (const QString &name : names) {
        const int slot = ChannelSlots::slotOfName(name);
        if (slot >= 0 && order.contains(slot) && !kept.contains(slot))
            kept.append(slot);
    }
    for (int slot = 0; slot < kChannelSlotCount; ++slot)
        if (!kept.contains(slot))
            envelopes[slot] = SampleEnvelope();
    order = kept;
}

QStringList TimeSeriesRecording::names() const
{
    QStringList list;
    for (int slot : order)
        list.append(ChannelSlots::nameOfSlot(slot));
    return list;
}

qint64 TimeSeriesRecording::sampleCount() const
{
    qint64 longest = 0;
    for (int slot : order)
        longest = std::max(longest, envelopes[slot].size());
    return longest;
}

double TimeSeriesRecording::sampleRate() const
{
    if (!channels.isEmpty())
        return std::max(0, channels.first().sampleFrequency);
    return pairs.isEmpty() ? 0.0 : std::max(0, pairs.first().sampleFrequency);
}

int TimeSeriesRecording::segmentLength() const
{
    if (settings.fftLength > 0)
        return int(settings.fftLength);
    return int(sampleRate());
}

float TimeSeriesRecording::dipoleLength(int slot) const
{
    const int code = ChannelSlots::codeOfSlot(slot);
    for (const MTSampleData &channel : channels)
        if (channel.channel == code)
            return channel.dipoleLength;
    const QString pairName = pairOfElectricSlot(slot);
    for (const OneMTSample &pair : pairs)
        if (!pairName.isEmpty() && pair.pairName.contains(pairName))
            return pair.dipoleLength;
    return 0.0f;
}

double TimeSeriesRecording::displayFactor(int slot) const
{
    const float dipole = ChannelSlots::isElectric(slot) ? dipoleLength(slot) : 0.0f;
    return dipole > 0.0f ? 1000.0 / dipole : 1.0;
}

QString TimeSeriesRecording::timeUnit(int slot) const
{
    return ChannelSlots::isElectric(slot) && dipoleLength(slot) > 0.0f ? QStringLiteral("mv/km")
                                                                        : QStringLiteral("mv");
}
