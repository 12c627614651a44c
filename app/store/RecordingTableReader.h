#pragma once
// Reader of a station folder's recording table "config.ini": line 1 a title, line 2 whose first
// field is the instrument number, line 3 the column headings, then one row per recording. Fields
// are split by the shared text field splitter.

#include "RecordingHeader.h"

class RecordingTableReader {
public:
    // Measurement mode codes of field 19.
    enum MeasureMode {
        ModeScalar = 0,            // "标量"
        ModeVector = 1,            // "矢量"
        ModeCommonPointMulti = 2,  // "共点多极化"
        ModeParallel = 3,          // "平行实验"
        ModeMultiPolarity = 4,     // "多极化"
        ModeOnWater = 5            // "水上实验"
    };

    // Fills info from the row of recordingNumber in folder + "/config.ini" (the last such row
    // wins; rows shorter than 21 fields are skipped with a debug line); the sampling rate is not
    // in the table and is left alone. A missing or unreadable table leaves info as it was and
    // logs a line. True when a row was read.
    static bool read(const QString &folder, int recordingNumber, RecordingHeader &info);

    // Hours, minutes and seconds of a duration written as H时M分S秒; 0 for a part whose own
    // marker is missing.
    static void parseDuration(const QString &text, int &hours, int &minutes, int &seconds);

private:
    // False when the start time cannot be read (it is then stored as 0).
    static bool fillFromRow(const QStringList &fields, const QString &folder, RecordingHeader &info);
    static bool readStartTime(const QStringList &fields, quint32 &startTime);
};
