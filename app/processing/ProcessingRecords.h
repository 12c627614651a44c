#pragma once
// Plain records that carry processing options, recording descriptors and resistivity sections
// between the main window, the project hub, the processing classes and the views. They travel by
// value in Qt signals and containers.

#include <QList>
#include <QMetaType>
#include <QString>
#include <QVector>

// Channel codes.
enum ChannelCode {
    Channel_Ex = 1,
    Channel_Ey = 2,
    Channel_Hx = 3,
    Channel_Hy = 4,
    Channel_Ex2 = 5
};

// Settings of the time-series analysis group.
struct ReCalculateParam {
    float fftLength = 16384.0f;  // samples; -1 means one segment as long as the sampling rate
    int fftCount = 30;           // segments to use; -1 for all data
    bool trendCorrection = false;
    bool tensorMode = false;     // tensor or multi-polarisation computation instead of scalar
    bool recomputeImpedance = false;
    int frequencyDensity = 0;    // 0..3: 10, 12, 15 or 20 frequencies per decade
    int spareValue = 0;          // carried unchanged; nothing reads it
};

// Segment lengths (samples) the processing accepts: enough FFT lines for a band average, and at
// most 2^22, minutes at the highest sampling rates (and exact in fftLength's single precision).
constexpr int kShortestSegment = 16;
constexpr int kLongestSegment = 1 << 22;
// The segment length settings give a recording sampled at sampleRate Hz: fftLength, or the
// sampling rate when fftLength is negative ("one second of samples"); 0 when that length lies
// outside kShortestSegment..kLongestSegment.
int segmentLengthFor(const ReCalculateParam &settings, int sampleRate);

// Descriptor of one channel of one recording.
struct MTSampleData {
    int channel = 0;             // ChannelCode
    int sampleCount = 0;         // sampling frequency times duration, truncated
    int sampleFrequency = 0;     // Hz
    float duration = 0.0f;       // s
    float countScale = 0.0f;     // mV per recorder count
    int lowBand = 0;
    float dipoleLength = 0.0f;   // m, electric channels only
    QString gainFile;
    QString dataFile;
    QString sensorFile;
};

// Descriptor of one electric/magnetic channel pair of one recording.
struct OneMTSample {
    int sampleCount = 0;
    int sampleFrequency = 0;
    float duration = 0.0f;
    float countScale = 0.0f;
    int lowBand = 0;
    float dipoleLength = 0.0f;
    QString eGainFile;
    QString hGainFile;
    QString eDataFile;
    QString hDataFile;
    QString eSensorFile;
    QString hSensorFile;
    QString pairName;            // "ExHy", "EyHx" or "Ex2Hy"
};

// One column of a resistivity section.
struct DataType_ResultData {
    double position = 0.0;       // along the line (station number or a midpoint)
    QVector<double> depth;       // lower boundary of each layer, negative metres
    QVector<double> value;       // resistivity of each layer, ohm-m
};

// One surface point of a section.
struct TopoData {
    double position = 0.0;
    double elevation = 0.0;
};

Q_DECLARE_METATYPE(ChannelCode)
Q_DECLARE_METATYPE(ReCalculateParam)
Q_DECLARE_METATYPE(MTSampleData)
Q_DECLARE_METATYPE(OneMTSample)
Q_DECLARE_METATYPE(DataType_ResultData)
Q_DECLARE_METATYPE(TopoData)

// Registers the records and their containers under the names the program's signals use
// ("ReCalculateParam", "QList<MTSampleData>", "QList<OneMTSample>", "QList<DataType_ResultData>",
// "QVector<TopoData>", "RecordingHeader", "QVector<ImpedanceErrorBar>", ...). Safe to call more
// than once.
void registerProcessingMetaTypes();
