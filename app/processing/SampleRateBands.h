#pragma once
// The rules that sort recordings by their sampling rate, side by side. Two borders matter: 4096 Hz
// (the recorder's two converters and amplifier bands, the tensor result files' high band) and
// 500/501 Hz (the slow recordings). Each rule says on which side its border rate falls.

#include <QString>

#include "TensorBand.h"

// The band of a tensor result file and of a station's band flag.
enum class TensorResultBand { High, Middle, Low };

namespace SampleRateBands {

// mV per recorder count as the recording descriptors give it: the 24-bit converter (3000 mV over
// 2^23) above 4096 Hz, the 32-bit one (2500 mV over 2^32) at 4096 Hz and below.
float descriptorCountScale(int sampleRate);
// mV per recorder count as the tensor processing reads a channel: the 32-bit converter below
// 4096 Hz, the 24-bit one at 4096 Hz and above.
double tensorCountScale(int sampleRate);
// The gain-table folder of a recording: "/High-H/" above 4096 Hz, otherwise "/Low-L/" for a
// low-band recording and "/Low-H/" for the others.
QString gainFolder(int sampleRate, bool lowBand);
// The tensor result band: High above 4096 Hz, Middle from 501 to 4096 Hz, Low below 501 Hz.
TensorResultBand tensorResultBand(double sampleRate);
// The band a recording's tensor curve covers (fs in Hz, n the positive segment length): by
// default fs / n (integer division) to fs * 0.5; above 57900 Hz from 1250 Hz; from 502 to
// 4095 Hz the band 30 to 1250 Hz; at 500 Hz and below 1 to 30 Hz.
TensorBand tensorBand(int fs, int n);
// The lowest frequency of a station's exported magnetic spectrum: 1000 Hz at 4096 Hz and above,
// 10 Hz above 500 Hz, fs / n at 500 Hz and below.
double spectrumLowerFrequency(double fs, int n);

} // namespace SampleRateBands
