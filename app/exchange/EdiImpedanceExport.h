#pragma once
// Export of one station as an impedance-form SEG EDI file, beside the spectra form of
// EdiStationExport: the ">=MTSECT" section with the frequencies, the impedance blocks
// (ZXXR/ZXXI/ZXX.VAR, ZXY..., ZYX..., ZYY...) and the apparent resistivity and phase blocks with
// their errors (RHOXY, RHOXY.ERR, PHSXY, PHSXY.ERR, and YX), built from the station's stored
// ExHy and EyHx curves and error bars (EdiImpedanceTable). Values are written with seven
// significant digits ("E" format), five to a line; an unknown value as the EMPTY value 1.0E+32.
// Only curves with error bars qualify (those of the regression estimator): the stacking
// estimators' curves carry no variances, and two of them store a compressed phase.

#include <QString>
#include <QVector>

#include "EdiImpedanceTable.h"

class Data_Line;
class Data_Station;
class OperatorDialogs;

class EdiImpedanceExport {
public:
    // dialogs must outlive this object.
    explicit EdiImpedanceExport(OperatorDialogs *dialogs);

    // Asks for the output file as the spectra form does; stops silently on a cancelled choice, a
    // missing line or a station row out of range; refuses ("EDI导出错误") a station without both
    // curves or without error bars. True when the file was written (then "数据导出" /
    // "EDI数据导出成功！").
    bool run(Data_Line *line, int stationRow);

    // Writes the file; false (with a warning naming the file) when it cannot be written.
    static bool write(const QString &path, const QVector<EdiImpedanceRow> &rows, const Data_Line &line,
                      const Data_Station &station);

private:
    OperatorDialogs *dialogs;
};
