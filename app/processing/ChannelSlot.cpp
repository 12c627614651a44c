#include "ChannelSlot.h"

#include "ProcessingRecords.h"

namespace {

const char *const kNames[kChannelSlotCount] = {"Ex", "Ey", "Ex2", "Hx", "Hy"};
const int kCodes[kChannelSlotCount] = {Channel_Ex, Channel_Ey, Channel_Ex2, Channel_Hx, Channel_Hy};

} // namespace

namespace ChannelSlots {

int slotOfName(const QString &name)
{
    for (int slot = 0; slot < kChannelSlotCount; ++slot)
        if (name == QLatin1String(kNames[slot]))
            return slot;
    return -1;
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
    return slot >= 0 && slot < kChannelSlotCount ? QString::fromLatin1(kNames[slot]) : QString();
}

bool isElectric(int slot)
{
    return slot == Slot_Ex || slot == Slot_Ey || slot == Slot_Ex2;
}

} // namespace ChannelSlots
