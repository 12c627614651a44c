#pragma once
// The header of one recording, assembled by the project hub from the recording's description;
// the input of the descriptor builders.

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
};

Q_DECLARE_METATYPE(RecordingHeader)
