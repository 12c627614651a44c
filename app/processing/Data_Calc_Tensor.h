#pragma once
// Tensor processing of one recording: every channel's time series is read, converted (electric
// channels to mV/km), tapered, transformed and calibrated segment by segment; for every FFT line
// the full cross-power matrix of all channels is averaged over the segments; around each target
// frequency the matrices are averaged again with the Parzen kernel and the 2 x 2 impedance tensor
// is solved from them.
//
// Calibration: magnetic channels and electric channels of normal recordings are divided by their
// gain and sensor tables; electric channels of low-band recordings by their gain table only.
// Memory: the segments stream from the files a batch at a time (the channels of a batch read and
// transformed in parallel) and are folded in segment order into running sums of the matrices, so
// only a batch of segments and one matrix per FFT line are held.

#include <QList>
#include <QObject>
#include <QVector>
#include <functional>
#include <vector>

#include "ProcessingRecords.h"
#include "TensorBand.h"
#include "TensorCrossPower.h"
#include "TensorImpedance.h"

class Data_Calc_Tensor : public QObject {
    Q_OBJECT
public:
    // The number of segments read per channel unless a caller asks for another count.
    static constexpr int kDefaultSegmentLimit = 50;

    // Records and impedances at the same indexes, ready for the tensor result file.
    struct BandResults {
        QVector<TensorCrossPower> records;
        QVector<TensorImpedance> impedances;
    };

    explicit Data_Calc_Tensor(QObject *parent = nullptr);

    // Sorts and stores the descriptors, reads and transforms the channels (n: segment length,
    // used truncated; a length below 1 reads nothing; at most segmentLimit segments per channel,
    // all when it is 0 or less) and
    // stores the segment-averaged matrices over the segment indexes every channel has. A time
    // series that cannot be read (or an electric channel without a positive dipole length) ends
    // the reading: the matrices are built from the channels read before it. A calibration table
    // that cannot be loaded abandons the call: the matrices keep their previous value.
    void loadSpectra(QList<MTSampleData> descriptors, double n,
                     int segmentLimit = kDefaultSegmentLimit);
    // Asked before each segment index with the fraction of segments done; false stops the
    // reading, leaving no matrices. Unset: reads to the end.
    void setKeepGoing(const std::function<bool(double fraction)> &ask) { keepGoing = ask; }
    // The descriptors of the last call, sorted by channel code.
    QList<MTSampleData> channelDescriptors() const { return samples; }
    QVector<TensorCrossPower> crossPowerMatrices() const { return matrices; }
    // Channel codes of the matrices' rows, in order.
    QList<int> matrixChannels() const { return matrixCodes; }
    // Whether the matrices' first four rows are Ex, Ey, Hx, Hy, as the impedance needs.
    bool hasImpedanceChannels() const;

    // The tensor target frequencies f with lower <= f <= upper, in table order.
    QList<double> tensorFrequencies(double lower, double upper) const;
    TensorCrossPower bandAverageMatrix(double f0, const QVector<TensorCrossPower> &records,
                                       double r) const;
    // One impedance per record, same order; NaN elements where a record cannot be solved.
    QVector<TensorImpedance> tensorImpedances(const QVector<TensorCrossPower> &records) const;
    TensorImpedance tensorImpedanceOf(const TensorCrossPower &record) const;

    // The band-averaged records (half-width r) and impedances at the target frequencies of band,
    // leaving out frequencies whose band holds no FFT line or whose matrix is singular; empty
    // when the matrices lack Ex, Ey, Hx or Hy.
    BandResults bandResults(const TensorBand &band, double r) const;

private:
    struct ChannelInput;

    bool openChannel(const MTSampleData &d, int n, int segmentLimit, ChannelInput &input) const;
    bool loadCalibration(const MTSampleData &d, int n, ChannelInput &input) const;
    int stackMatrices(std::vector<ChannelInput> &inputs, int n, double fs);

    QList<MTSampleData> samples;
    QVector<TensorCrossPower> matrices;
    QList<int> matrixCodes;
    std::function<bool(double fraction)> keepGoing;
};
