#pragma once
// The description of one recording, read from its row of the station folder's recording table
// "config.ini". Channel order of the switches and serials is the recorder's: Ex, Ey, Hx, Hy, Ex2.

#include <QString>
#include <QStringList>

struct RecordingInfo {
    // Fields 6 to 10: sensor serials.
    QString exSensor;
    QString eySensor;
    QString hxSensor;
    QString hySensor;
    QString ex2Sensor;
    // Fields 1 to 5: channel recorded.
    bool hasEx = false;
    bool hasEy = false;
    bool hasHx = false;
    bool hasHy = false;
    bool hasEx2 = false;
    int hGainNumber = 0;   // field 12: names the magnetic channels' gain tables
    int eGainNumber = 0;   // field 11: names the electric channels' gain tables
    double exDipole = 0.0;   // field 13, metres
    double eyDipole = 0.0;   // field 14, metres
    double ex2Dipole = 0.0;  // field 15, metres
    int lowBand = 0;         // field 16
    // Field 17: duration.
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int electrodeType = -1;  // field 18: 0 polarising, 1 non-polarising, -1 not read
    quint32 startTime = 0;   // fields 20 (and 21): seconds since 1970-01-01 00:00 UTC
    int measureMode = -1;    // field 19: 0..5 (see RecordingTableReader), -1 not read
    QStringList files;       // fields 22 onwards, each as folder + "/" + name
    int instrumentNumber = 0;  // line 2, field 0: the table number
};
