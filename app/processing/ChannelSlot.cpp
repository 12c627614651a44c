#include "ChannelSlot.h"

#include "Channels.h"
#include "ProcessingRecords.h"

namespace {

const int kCodes[kChannelSlotCount] = {Channel_Ex, Channel_Ey, Channel_Ex2, Channel_Hx, Channel_Hy};

} // namespace

namespace ChannelSlots {

int slotOfName(const QString &name)
{
    const ChannelFacts *channel = Channels::ofName(name);
    return channel ? slotOfCode(channel->code) : -1;
}

int slotOfCode(int code)
{
    for (int slot = 0; slot < kChannelSlotCount; ++slot)
        if (code == kCodes[slot])
            return slot;
    return -1;
}

int codeOfSlot(int slot)
{
    return slot >= 0 && slot < kChannelSlotCount ? kCodes[slot] : 0;
}

QString nameOfSlot(int slot)
{
    return Channels::name(codeOfSlot(slot));
}

bool isElectric(int slot)
{
    return Channels::isElectric(codeOfSlot(slot));
}

} // namespace ChannelSlots
