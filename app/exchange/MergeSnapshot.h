#pragma once
// Everything of a project's first project row that a merge copies, read into memory and detached
// from its database: lines, their stations with their stored curves (kept as their exact BLOB
// bytes), the stations' recordings and the recordings' processed channels.

#include <QByteArray>
#include <QList>
#include <QString>

class LibDORE;

struct MergeChannel {
    int sampleChannel = 0;
    double sampleFrequency = 0.0;
    QByteArray impedance;
    QByteArray velocity;
};

struct MergeRecording {
    int sampleDataNum = 0;
    int sampleRate = 0;
    int use = 0;
    QList<MergeChannel> channels;
};

struct MergeStation {
    float stationNum = 0.0f;
    int use = 0;
    int sampleNumbers = 0;
    double elevation = 0.0;
    double latitude = 0.0;
    double longitude = 0.0;
    int hasResult = 0;
    int hasTensor = 0;
    int hmt = 0;
    int mmt = 0;
    int lmt = 0;
    double xPoleDistance = 0.0;
    double yPoleDistance = 0.0;
    QByteArray impedanceEx;
    QByteArray impedanceEy;
    QByteArray impedanceEx2;
    QByteArray impedanceMP;
    QList<MergeRecording> recordings;
};

struct MergeLine {
    int lineName = 0;
    int use = 0;
    QString note;
    QList<MergeStation> stations;
};

namespace MergeSnapshot {

// The lines of db's first project in collection order (empty without a project).
QList<MergeLine> read(LibDORE &db);

} // namespace MergeSnapshot
