#pragma once
// EH4 point files of one survey line: the point list "@", one "ZJP.<nnn>" file per used station
// with its Ex/Hy and Ey/Hx curves, and the frequency table "FrequencyList.tbl" (created only when
// the folder lacks one). Points are numbered upward from the number the operator gives.

#include <QString>
#include <QVector>

#include "OperatorMessage.h"
#include "SpectralRecords.h"

class Data_Line;
class Data_Station;
class OperatorDialogs;

class EH4Export {
public:
    // dialogs must outlive this object.
    explicit EH4Export(OperatorDialogs *dialogs);

    // Asks for the first point number and the folder, then writes the files. A point file that
    // cannot be written does not stop the others. False when the operator cancels; false with a
    // critical box naming the problem when the folder does not exist or any file could not be
    // written completely (the success box only when all were).
    bool run(Data_Line &line);

    // A curve made fit for the point file: coherency not finite or at most 0 becomes 0.05 and
    // above 1 becomes 0.99; resistivity not finite becomes 10000 and below 0.01 becomes 0.01;
    // phase not finite becomes 45.
    static void cleanCurve(QVector<OneFreqImpedance> &curve);
    // The two lines per frequency of a point file (frequencies of a, or of b when a is empty).
    static QString pointFileText(const QVector<OneFreqImpedance> &a,
                                 const QVector<OneFreqImpedance> &b);
    // The point-list line of point number for a station and line number; empty when the station
    // number has no whole-number form (not finite, or beyond 64-bit integers).
    static QString pointListLine(int number, double stationNum, int lineName);
    // Writes the 50-line frequency table into folder unless it exists there. Empty when the table
    // is there afterwards, else "<path>: <reason>".
    static QString ensureFrequencyTable(const QString &folder);

private:
    // Empty when the point file was written completely, else "<path>: <reason>".
    QString writePoint(const QString &folder, int number, Data_Station &station);
    // Shows the message in a critical box; false.
    bool refuse(const OperatorMessage &message);

    OperatorDialogs *dialogs;
};
