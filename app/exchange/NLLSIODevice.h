#pragma once
// Files of the least-squares 2-D inversion program: the field-data file of the line (41
// frequencies per station) and the reader of the inverted section it writes.

#include <QList>
#include <QObject>
#include <QVector>

#include "ProcessingRecords.h"
#include "SpectralRecords.h"

// The reader's constants: the result section to read and the block height unit in metres.
struct NLLSReaderConstants {
    int sectionNumber = 10;
    double blockHeight = 10.0;
};

class NLLSIODevice : public QObject {
    Q_OBJECT
public:
    static constexpr int kFrequencies = 41;
    static constexpr int kMinimumStations = 3;
    explicit NLLSIODevice(QObject *parent = nullptr);

    // The field-data file for curves at positions (metres). Needs at least kMinimumStations
    // stations with at least kFrequencies records each; resistivities are held within 1 to 9999
    // (below 1 becomes 100) and phases above 90 lose 90 (below 1 becomes 45). False when refused
    // or the file cannot be written.
    bool writeFieldData(const QString &path, const QList<QVector<OneFreqImpedance>> &curves,
                        const QVector<double> &positions);
    // Reads the inverted section. False, with an empty result, when the file cannot be opened,
    // a marker is missing, the block counts fit neither layout or the values end early.
    bool readResult(const QString &path, const QVector<double> &positions,
                    const NLLSReaderConstants &constants = NLLSReaderConstants());

    QList<DataType_ResultData> result() const { return m_result; }

private:
    QList<DataType_ResultData> m_result;
};
