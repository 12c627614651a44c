#pragma once
// The spectrum table of a survey line: for every used station, one line per frequency of its
// merged Hx spectrum (ascending) with the Hx and Hy amplitudes, and, when the station's Ex/Hy
// curve has exactly one record per such frequency, the k-th record with its depth and true
// resistivity beside them:
//   station,freq,Hx,Hy                                   (four columns)
//   station,freq,Hx,Hy,f,rho,phase,depth,trueRho         (nine columns)
// Numbers have six significant digits; Hy is 0 where the Hy spectrum lacks the frequency.

#include <QString>
#include <QStringList>
#include <QVector>

#include "ProcessingRecords.h"
#include "SpectralRecords.h"
#include "StationMagneticSpectra.h"

class Data_Line;
class OperatorDialogs;

class LineSpectrumExport {
public:
    // dialogs must outlive this object.
    explicit LineSpectrumExport(OperatorDialogs *dialogs);

    // Asks for the output file, then writes the table of line, whose station folders lie below
    // projectFolder; the spectra are read with the segment settings of station processing. Ends
    // on a cancelled file choice; a file that cannot be written is reported and ends the export.
    // True when the whole table was written.
    bool run(Data_Line &line, const QString &projectFolder, const ReCalculateParam &settings);

    // The heading line, with its line end.
    static QString header();
    // The table lines of one station (without line ends).
    static QStringList stationLines(float stationNum, const MagneticSpectra &spectra,
                                    const QVector<OneFreqImpedance> &exCurve);

private:
    void reportFailure();

    OperatorDialogs *dialogs;
};
