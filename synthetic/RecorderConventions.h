#pragma once
// The field recorder's conventions that every synthetic file must follow so the processing finds
// and scales it: channel order and names, file-name tags, the converter's scale and full scale, and
// the relative paths of the calibration tables.

#include <QString>

namespace RecorderConventions {

// Channels in the recording table's column order (switches and serials run Ex, Ey, Hx, Hy, Ex2).
enum class Channel { Ex = 0, Ey = 1, Hx = 2, Hy = 3, Ex2 = 4 };
constexpr int channelCount = 5;

Channel channelAt(int index);
bool isElectric(Channel channel);
// "Ex", "Ey", "Hx", "Hy", "Ex2".
QString channelName(Channel channel);
// The tag a time-series file name carries: "E0", "E1", "Hx", "Hy", "E2".
QString channelTag(Channel channel);
// The channel word of a gain table name: "Ex-", "Ey-", "Hx-", "Hy-", "Ex2-".
QString gainChannelWord(Channel channel);

// Converter scale in mV per count: 2500/2^31 (32-bit, 2500 mV full scale) below 4096 Hz,
// 3000/2^23 (24-bit, 3000 mV full scale) at 4096 Hz and above.
double adcScaleMilliVoltPerCount(double sampleRate);
// The converter's full scale in counts (2500 or 3000 mV over the scale): a sample that reaches it
// is clipped.
qint64 fullScaleCounts(double sampleRate);

// Amplifier band of a recording: High-H above 4096 Hz, Low-L at or below 4096 Hz with the low-band
// flag set, Low-H otherwise. Each band has its own gain tables.
enum class GainBand { HighH, LowH, LowL };
GainBand gainBand(int sampleRate, bool lowBand);
// "/High-H/", "/Low-H/" or "/Low-L/".
QString gainBandFolder(GainBand band);
// "SensorsFile/" + serial + ".txt", relative to the work folder.
QString sensorTablePath(const QString &serial);
// "GainCalibration/" + instrument + band folder + channel word + gain number + ".txt".
QString gainTablePath(int instrumentNumber, int sampleRate, bool lowBand, Channel channel,
                      int gainNumber);
// Whether the processing removes the electric sensor table: always, except on low-band recordings.
bool electricSensorApplied(bool lowBand);

} // namespace RecorderConventions
