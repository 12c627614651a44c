#pragma once
// The description of one recording: its row of the station folder's recording table
// ("config.ini", read by RecordingTableReader) and its sampling rate from the project file. Read
// once when a recording is opened; the input of the descriptor builders. Channel order of the
// recorder's switches and serials: Ex, Ey, Hx, Hy, Ex2.

#include <QMetaType>
#include <QString>
#include <QStringList>

struct RecordingHeader {
    QString hxSensor;
    QString hySensor;
    QString exSensor;
    QString eySensor;
    QString ex2Sensor;
    bool hasHx = false;
    bool hasHy = false;
    bool hasEx = false;
    bool hasEy = false;
    bool hasEx2 = false;
    int eGainNumber = 0;       // names the electric channels' gain tables
    int hGainNumber = 0;       // names the magnetic channels' gain tables
    double exDipole = 0.0;     // m
    double eyDipole = 0.0;     // m
    double ex2Dipole = 0.0;    // m
    int sampleRate = 0;        // Hz
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int lowBand = 0;
    QStringList files;         // paths of the recording's time-series files
    int instrumentNumber = 0;  // names the gain-table folder
    int electrodeType = -1;    // 0 polarising, 1 non-polarising, -1 not read
    quint32 startTime = 0;     // seconds since 1970-01-01 00:00 UTC
    int measureMode = -1;      // 0..5 (RecordingTableReader::MeasureMode), -1 not read
};

Q_DECLARE_METATYPE(RecordingHeader)
