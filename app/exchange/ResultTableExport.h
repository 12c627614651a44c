#pragma once
// Comma-separated tables for spreadsheets: the raw result files of a line (one per station and
// curve) and the latest resistivity section. Numbers have six significant digits.

#include <QList>
#include <QString>

#include "ProcessingRecords.h"
#include "SpectralRecords.h"

class Data_Line;
class OperatorDialogs;

class ResultTableExport {
public:
    // The header of every curve table.
    static const QString kCurveHeader;

    // dialogs must outlive this object.
    explicit ResultTableExport(OperatorDialogs *dialogs);

    // Asks for a folder and writes "<station>_<Ex|Ex2|Ey>.dat" for every non-empty curve of every
    // used station of line. A cancelled folder choice stops the export; a file that cannot be
    // written is reported and the others are still written. True when every file was written.
    bool exportRaw(Data_Line &line);
    // Writes "position,depth,value" for every layer of every column of section to path.
    bool exportSection(const QString &path, const QList<DataType_ResultData> &section);

    // "f,rho,phase,depth,trueRho" of a record: the Bostick depth (m) and the Niblett-Bostick
    // resistivity, both computed here from f, rho and phase.
    static QString curveLine(const OneFreqImpedance &record);

private:
    bool writeCurve(const QString &path, const QVector<OneFreqImpedance> &curve);

    OperatorDialogs *dialogs;
};
