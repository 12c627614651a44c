#pragma once
// A project around measured series: one line with one station whose one recording holds the
// given Ex and Ey (mV/km) and Hx and Hy (nT) series, written as the recorder's count files with
// flat unit calibration tables and 1000 m dipoles, so that the processing sees the series as
// they are. Outside test recordings (a transfer-function package's synthetic data, for example)
// thus go through the whole product: project file, recording table, readers, processing.
//
// All four series are scaled by one common factor so the largest sample fills a quarter of the
// converter's range (a common factor cancels in every impedance).

#include <QString>
#include <QVector>

struct RecordedSeries {
    int sampleRate = 1;               // Hz
    QVector<double> ex, ey, hx, hy;   // equal lengths, a whole number of seconds
};

class SeriesProject {
public:
    // Writes "<workDir>/<name>.HMT" and its station folder (line 1, station 1). False, with a
    // warning, when the series are unequal or not whole seconds long, or a file cannot be written.
    static bool write(const RecordedSeries &series, const QString &workDir, const QString &name,
                      QString *projectFile = nullptr);
};
