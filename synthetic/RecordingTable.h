#pragma once
// Writes a station folder's recording table "config.ini" as the field recorder does: a title line,
// a line starting with the instrument number, a heading line, then one row per recording with the
// fields: 0 recording number; 1-5 switches of Ex, Ey, Hx, Hy, Ex2; 6-10 their sensor serials;
// 11 electric and 12 magnetic gain-table numbers; 13-15 Ex, Ey, Ex2 dipoles (m); 16 low-band
// flag; 17 duration ("0时10分0秒"); 18 electrode type; 19 measurement mode; 20 date and 21 time
// of the start; 22 onwards the channel file names. UTF-8, fields separated by commas.

#include <QList>
#include <QString>
#include <QStringList>

#include "SurveyDescription.h"
#include "SurveyPlan.h"

class RecordingTable {
public:
    // False, with a warning naming the file, when it cannot be written.
    static bool write(const QString &path, const StationPlan &station,
                      const QList<RecordingDescription> &recordings);
    // The fields of one recording's row, in table order.
    static QStringList rowFields(const StationPlan &station, const RecordingDescription &recording);
    // "H时M分S秒".
    static QString durationText(int seconds);
};
