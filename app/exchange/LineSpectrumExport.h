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

#include "WorkRunner.h"

class Data_Line;
class OperatorDialogs;

class LineSpectrumExport {
public:
    // dialogs must outlive this object.
    LineSpectrumExport(OperatorDialogs *dialogs, WorkRunner runner);

    // Asks for the output file, reads the spectra of line's stations (their folders lie below
    // projectFolder, read with the segment settings of station processing), then writes the
    // table. Ends on a cancelled file choice; a file that cannot be written is reported and ends
    // the export. The stations' recordings and curves are read from the project first; the
    // spectra are then computed in the runner, one share of progress per station; a cancel
    // between channels ends the export before the file is touched, and the operator is told.
    // True when the whole table was written.
    bool run(Data_Line &line, const QString &projectFolder, const ReCalculateParam &settings);

    // The heading line, with its line end.
    static QString header();
    // The table lines of one station (without line ends).
    static QStringList stationLines(float stationNum, const MagneticSpectra &spectra,
                                    const QVector<OneFreqImpedance> &exCurve);

private:
    // What one used station contributes, read from the project before the spectra are computed.
    struct StationSource {
        float stationNum = 0;
        QVector<MTSampleData> magneticChannels;
        QVector<OneFreqImpedance> exCurve;
    };
    static QVector<StationSource> stationSources(Data_Line &line, const QString &projectFolder);
    // The table's lines of the stations; false when cancelled.
    static bool tableLines(const QVector<StationSource> &sources, const ReCalculateParam &settings,
                           WorkFeedback &feedback, QStringList &lines);
    void reportFailure();

    OperatorDialogs *dialogs;
    WorkRunner runner;
};
