#pragma once
// Writes the count files of one recording. The natural magnetic field Bx, By is seeded Gaussian
// noise with a spectrum falling with frequency; the electric field is E = Z B line by line; each
// channel then passes forward through its recording chain (dipole, electric sensor, amplifier or
// coil, amplifier, converter) and is rounded to int32 counts.
//
// The recording is made block by block: every block of blockLength() samples is synthesised in
// the frequency domain from its own seeded random numbers and one inverse FFT per channel, then
// appended to the files, so memory stays at a few tens of MB however long the recording is. The
// block length is a power of two and a multiple of every segment length up to 65536 that fits the
// recording, so no processing segment straddles two blocks.

#include <QList>
#include <QString>
#include <complex>
#include <vector>

#include "CalibrationTable.h"
#include "SurveyDescription.h"
#include "SurveyPlan.h"

class InverseRealFft;

class RecordingSynthesizer {
public:
    // One channel to write: its file and the tables of its chain as written to disk.
    struct ChannelSetup {
        RecorderConventions::Channel channel = RecorderConventions::Channel::Ex;
        QString path;
        const CalibrationTable *sensor = nullptr;  // coil, or electric sensor (null: not applied)
        const CalibrationTable *gain = nullptr;
        double dipole = 0.0;                       // m, electric channels
    };

    static constexpr int maxBlockLength = 1 << 18;
    // 2^18, or the smallest power of two holding a shorter recording.
    static int blockLength(qint64 sampleCount);
    // Natural field amplitude density shape (nT per root hertz for a level of 1): f^-1/4 above the
    // coil corner, f^-3/4 below it. Through the coils and the earth's impedance this keeps both
    // recorded spectra within a gentle slope (H as f^+-1/4, E as f^-+1/4 on a half-space), so the
    // leakage of the processing's taper cannot move power far.
    static double fieldShape(double f);

    RecordingSynthesizer(const StationModel &model, const RecordingPlan &request);

    // Writes every channel's file and fills the recording's figures in description: sample count,
    // scale, field level, clipped samples, and the expected RMS of channels[i] for setup i (the
    // caller lists the channels in the order of the setups). False, with a warning naming the
    // file, when a file cannot be written.
    bool write(const QList<ChannelSetup> &channels, RecordingDescription *description);

private:
    struct ChannelPlan {
        ChannelSetup setup;
        std::vector<std::complex<double>> fromBx;  // counts per unit normal of Bx, per line
        std::vector<std::complex<double>> fromBy;
        double noiseRatio = 0.0;
        double rmsCounts = 0.0;                    // expected, at field level 1
    };

    ChannelPlan planChannel(const ChannelSetup &setup) const;
    std::vector<std::complex<double>> forwardTransfer(const ChannelSetup &setup) const;
    void normaliseLevel(QList<ChannelPlan> &plans, RecordingDescription *description) const;
    bool writeBlocks(const QList<ChannelPlan> &plans, RecordingDescription *description) const;
    // Fills the FFT's lines with one block of the channel, natural field and noise.
    void synthesise(const ChannelPlan &plan, const std::vector<std::complex<double>> &bx,
                    const std::vector<std::complex<double>> &by, qint64 block,
                    InverseRealFft &fft) const;

    StationModel model;
    RecordingPlan request;
    qint64 sampleCount;
    int n;            // block length
    double lineScale; // sqrt(fs / (2 n)): a line's complex amplitude per unit density
};
