#pragma once
// The five channels of a recording, the one table of their facts: channel code (ChannelCode), name,
// the tag their time-series file names carry, the channel word of their gain tables, whether they
// are electric, and their column in the recording table's switches and serials (Ex, Ey, Hx, Hy,
// Ex2).

#include <QString>
#include <QVector>

struct ChannelFacts {
    int code;              // Channel_Ex .. Channel_Ex2
    const char *name;      // "Ex", "Ey", "Hx", "Hy", "Ex2"
    const char *tag;       // "E0", "E1", "Hx", "Hy", "E2"
    const char *gainWord;  // "Ex-", "Ey-", "Hx-", "Hy-", "Ex2-"
    bool electric;
    int tableColumn;       // 0..4
};

namespace Channels {

// The five channels in recording-table order.
const QVector<ChannelFacts> &all();
// The channel of code, or null.
const ChannelFacts *ofCode(int code);
// The channel named name ("Ex", "Ey", "Hx", "Hy", "Ex2"), or null.
const ChannelFacts *ofName(const QString &name);
// The name of code's channel; an empty string for any other code.
QString name(int code);
bool isElectric(int code);

} // namespace Channels
