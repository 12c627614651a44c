#include "Channels.h"

#include "ProcessingRecords.h"

namespace Channels {

const QVector<ChannelFacts> &all()
{
    static const QVector<ChannelFacts> channels{
        {Channel_Ex, "Ex", "E0", "Ex-", true, 0},   {Channel_Ey, "Ey", "E1", "Ey-", true, 1},
        {Channel_Hx, "Hx", "Hx", "Hx-", false, 2},  {Channel_Hy, "Hy", "Hy", "Hy-", false, 3},
        {Channel_Ex2, "Ex2", "E2", "Ex2-", true, 4},
    };
    return channels;
}

const ChannelFacts *ofCode(int code)
{
    for (const ChannelFacts &channel : all())
        if (channel.code == code)
            return &channel;
    return nullptr;
}

const ChannelFacts *ofName(const QString &name)
{
    for (const ChannelFacts &channel : all())
        if (name == QLatin1String(channel.name))
            return &channel;
    return nullptr;
}

QString name(int code)
{
    const ChannelFacts *channel = ofCode(code);
    return channel ? QString::fromLatin1(channel->name) : QString();
}

bool isElectric(int code)
{
    const ChannelFacts *channel = ofCode(code);
    return channel && channel->electric;
}

} // namespace Channels
