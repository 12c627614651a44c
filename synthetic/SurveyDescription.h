#pragma once
// What the generator wrote: enough for later code to create the project rows and to process the
// recordings without reading the recording tables back. Data-file paths are absolute; table paths
// are relative to the work folder, as the processing forms them.

#include <QDateTime>
#include <QList>
#include <QString>

#include "RecorderConventions.h"

struct ChannelDescription {
    RecorderConventions::Channel channel = RecorderConventions::Channel::Ex;
    QString dataFile;             // absolute path of the count file
    QString sensorSerial;
    QString sensorTable;          // "SensorsFile/<serial>.txt"
    QString gainTable;            // "GainCalibration/<instrument>/<band>/<word><number>.txt"
    double dipole = 0.0;          // m, electric channels only
    double expectedRmsMilliVolt = 0.0;
};

struct RecordingDescription {
    int number = 0;
    int sampleRate = 0;
    int seconds = 0;
    qint64 sampleCount = 0;       // samples per channel file
    bool lowBand = false;
    bool tensor = false;
    bool electricSensorApplied = true;
    double adcScale = 0.0;        // mV per count
    double fieldLevel = 0.0;      // natural field density at 1 Hz, nT per root hertz
    qint64 clippedSamples = 0;    // samples held at the converter's full scale (0 when levels are sane)
    QDateTime start;
    QList<ChannelDescription> channels;
};

struct StationDescription {
    int line = 0;
    int station = 0;
    QString folder;               // absolute station folder
    QString recordingTable;       // absolute path of its config.ini
    int instrumentNumber = 0;
    int eGainNumber = 0;
    int hGainNumber = 0;
    int exDipole = 0;
    int eyDipole = 0;
    int ex2Dipole = 0;
    QList<RecordingDescription> recordings;
};

struct SurveyDescription {
    QString workDir;
    QList<StationDescription> stations;
};
