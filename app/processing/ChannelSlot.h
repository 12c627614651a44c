#pragma once
// The five channels of a recording in the order the spectrum driver keeps them (Ex, Ey, Ex2, Hx,
// Hy), by name and channel code (Channels holds the channels' facts).

#include <QString>

enum ChannelSlot { Slot_Ex = 0, Slot_Ey = 1, Slot_Ex2 = 2, Slot_Hx = 3, Slot_Hy = 4 };
constexpr int kChannelSlotCount = 5;

namespace ChannelSlots {

// Slot of "Ex", "Ey", "Ex2", "Hx" or "Hy"; -1 for any other name.
int slotOfName(const QString &name);
// Slot of a channel code (1 Ex, 2 Ey, 3 Hx, 4 Hy, 5 Ex2); -1 for any other code.
int slotOfCode(int code);
int codeOfSlot(int slot);
// "Ex", "Ey", "Ex2", "Hx" or "Hy"; empty for any other slot.
QString nameOfSlot(int slot);
bool isElectric(int slot);

} // namespace ChannelSlots
