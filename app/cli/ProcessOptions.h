#pragma once
// The processing settings of the process command, read from its options:
//   --estimator plain|robust|mestimation|median|regression (or the codes 1, 2, 3, 6, 7; default
//     plain; regression: robust tensor regression with error bars, its own 128-sample segments
//     over a decimation cascade, the FFT length and count only bounding the samples read)
//   --fft-length N|rate (samples per segment, 16 to 2^22; "rate": as many as the sampling rate;
//     default 16384)
//   --fft-count N|all (segments to use; default 30)
//   --frequencies 10|12|15|20 (frequencies per decade; default 10)
//   --detrend (remove each segment's straight-line trend)
//   --mode scalar|tensor (tensor: every recording with Ex, Ey, Hx and Hy is tensor-processed;
//     recordings made in tensor mode always are; default scalar)
//   --threads N (threads computing recordings, 1 to kMostThreads; default: the machine's cores)
// Recomputation is always on.

#include <QCommandLineParser>
#include <QString>

#include "ProcessingRecords.h"

struct ProcessOptions {
    static constexpr int kMostThreads = 256;

    ReCalculateParam settings;
    int estimator = 1;
    int threads = 1;

    static void addTo(QCommandLineParser &parser);
    // False with error set when a value is not one of the accepted ones.
    bool read(const QCommandLineParser &parser, QString &error);
    // The estimator code of a name or code text; false when unknown.
    static bool estimatorCode(const QString &text, int &code);
    // The segment length of a --fft-length text: -1 for "rate", else a whole number from
    // kShortestSegment to kLongestSegment (ProcessingRecords.h). False for anything else.
    static bool fftLength(const QString &text, int &n);
    // The accepted --fft-length values, for messages.
    static QString fftLengthExpected();
};
