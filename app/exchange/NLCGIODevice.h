#pragma once
// Files of the conjugate-gradient 2-D inversion program: the data file of the line's curves, the
// starting model (grid widths around the stations, 55 layers, a uniform half-space of the mean
// apparent resistivity), the control file, and the reader of the program's model output.

#include <QList>
#include <QObject>
#include <QVector>

#include "ProcessingRecords.h"
#include "SpectralRecords.h"

class NLCGIODevice : public QObject {
    Q_OBJECT
public:
    static constexpr int kLayerCount = 55;   // layers of the model grid
    static constexpr int kResultLayers = 40; // layers read back
    static constexpr int kMinimumStations = 6;

    explicit NLCGIODevice(QObject *parent = nullptr);

    // One block per curve: "<records>  1.0", then "f (rho,phase) 0.02  0.18" per record. Keeps
    // the mean apparent resistivity of all records for the model file. False when the file cannot
    // be written.
    bool writeDataFile(const QList<QVector<OneFreqImpedance>> &curves, const QString &path);
    // The starting model for stationCount stations at positions (metres, at least
    // kMinimumStations). mode is reserved and 0.
    bool writeModelFile(int stationCount, const QVector<double> &positions, const QString &path,
                        int mode = 0);
    // The control file naming the model and data files and listing one line per station.
    bool writeControlFile(const QString &path, int mode, int stationCount);
    // Reads the program's model output: one column per station with kResultLayers layers. False
    // (no result) when the file cannot be opened or ends before the last layer.
    bool readModelOutput(const QString &path, int stationCount, const QVector<double> &positions);

    QList<DataType_ResultData> result() const { return m_result; }
    double meanResistivity() const { return m_meanResistivity; }

    // The lines of horizontal cell widths: five widening cells on each side of the station
    // spacings, at most ten values per line.
    static QString widthLines(const QVector<double> &positions);

private:
    double m_meanResistivity = 0.0;
    QList<DataType_ResultData> m_result;
};
