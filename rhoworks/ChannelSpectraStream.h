#pragma once
// The calibrated spectra of several channels of one recording, segment by segment, straight from
// their files: each segment is read, clip-tested, detrended when asked, tapered and transformed with
// the shared plan of its length, and multiplied line by line by the channel's complex calibration
// factor. Segments are handed over in order as contiguous complex lines (line k - 1 at k fs / n);
// only a batch of segments is ever held, whatever the length of the recording.
//
// The channels of a batch are read and transformed in parallel, one channel per worker, while the
// batch before it is handed over in segment order, so what the caller computes from it does not
// depend on the number of threads.

#include <QString>
#include <complex>
#include <functional>
#include <vector>

#include "RhoworksExport.h"
#include "SegmentStream.h"

// One channel to stream.
struct StreamedChannel {
    SegmentStream stream;  // opened on the channel's file
    // n/2 complex factors: calibrated line = density line * factor (table removal, unit conversion).
    // Empty: the lines are the transform's coefficients X[1 .. n/2] as they are, unscaled, for a
    // consumer that folds the calibration into its own arithmetic.
    std::vector<std::complex<double>> lineFactors;
    double clipLimit = 0;  // > 0: a segment holding a sample with |x| >= clipLimit (mV) is clipped
    bool detrend = false;  // remove each segment's least-squares straight line first
};

// One segment index of every channel, valid during the call that receives it.
struct StreamedSegment {
    int index = 0;
    bool clipped = false;  // some channel's segment reached its clip limit
    std::vector<const std::complex<double> *> lines;  // per channel, lineCount values each
};

class RHOWORKS_EXPORT ChannelSpectraStream {
public:
    enum class Outcome { Complete, UnequalCounts, ReadError, Stopped, Unusable };

    // n >= 2 samples per segment at fs Hz.
    ChannelSpectraStream(int n, double fs, std::vector<StreamedChannel> channels);
    ~ChannelSpectraStream();

    int lineCount() const { return length / 2; }
    // Segments to expect before run (the smallest bound of the channels); for progress reports.
    qint64 expectedSegments() const;
    // Hands every segment index that all channels have to consume, in order, until a channel ends
    // or consume returns false (Stopped). Complete when every channel ended at the same count;
    // UnequalCounts when one channel holds more segments than another; ReadError (errorText() names
    // the cause) when a file cannot be read to its end; Unusable for bad n or fs.
    using Consumer = std::function<bool(const StreamedSegment &segment)>;
    Outcome run(const Consumer &consume);
    // The same, handing over the segments a batch at a time (in order; one segment at a time on one
    // thread). The consumer returns false to stop, or adds jobs that do its work on the batch: they
    // may run in parallel with each other and with the reading of the next batch, and the segments
    // stay valid until all have run. A job returns false to stop after this batch.
    using BatchJob = std::function<bool()>;
    using BatchConsumer = std::function<bool(const std::vector<StreamedSegment> &segments, std::vector<BatchJob> &jobs)>;
    Outcome runBatches(const BatchConsumer &consume);
    int segmentsDelivered() const { return delivered; }
    QString errorText() const { return error; }
    // After ReadError: the index of the channel whose file failed.
    int failedChannel() const { return failed; }

    // Calibration factor of one line: 1 / (gain (and sensor) transfer function) times scale, that is
    // amplitude scale / (|G| |S|) and phase -(arg G + arg S).
    static std::complex<double> lineFactor(double gainAmplitude, double gainPhase,
                                           double sensorAmplitude, double sensorPhase, double scale);

private:
    struct Slot;
    struct Batch;
    struct ChannelWork;
    void readBatch(int channel, int set);
    std::vector<StreamedSegment> batchSegments(int set, int common) const;
    bool noteReadError(const std::function<bool(const ChannelWork &)> &failedIn);
    bool anyChannelHasMore();

    int length;
    double fs;
    std::vector<ChannelWork> work;
    int delivered = 0;
    QString error;
    int failed = -1;
};
