#pragma once
// The recording the time-series view shows: its channels in the order the hub names them, each
// channel's series (segments in mV, as read) behind a drawing envelope, the channel or pair
// descriptors and the processing settings that came with it.
//
// Electric series are shown as field strength in mV/km (samples times 1000 / dipole length) when
// the descriptors give the channel a positive dipole length, else as the recorded voltage in mV.

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

#include "ChannelSlot.h"
#include "ProcessingRecords.h"
#include "SampleEnvelope.h"

class TimeSeriesRecording {
public:
    // Forgets the series and descriptors: a new recording begins.
    void clear();
    void setChannelDescriptors(const QList<MTSampleData> &descriptors, const ReCalculateParam &param);
    void setPairDescriptors(const QList<OneMTSample> &descriptors, const ReCalculateParam &param);
    // The channel's segments; false for an unknown channel name (nothing kept).
    bool setSeries(const QString &name, const QList<QVector<double>> &segments);
    // Keeps the named channels in that order and drops the series of the others.
    void keepChannels(const QList<QString> &names);

    // Channels with a series, in display order.
    QList<int> channelSlots() const { return order; }
    QStringList names() const;
    const SampleEnvelope &series(int slot) const { return envelopes[slot]; }
    // Samples of the longest channel.
    qint64 sampleCount() const;

    QList<MTSampleData> channelDescriptors() const { return channels; }
    QList<OneMTSample> pairDescriptors() const { return pairs; }
    bool hasDescriptors() const { return !channels.isEmpty() || !pairs.isEmpty(); }
    // Sampling frequency (Hz) of the first descriptor; 0 when unknown.
    double sampleRate() const;
    // The spectrum segment length of the settings: the FFT length, or one second of samples for
    // the "采样率长度" choice (-1); 0 when it cannot be known.
    int segmentLength() const;

    // What a displayed sample is: factor times the recorded value, in unit.
    double displayFactor(int slot) const;
    QString timeUnit(int slot) const;

private:
    float dipoleLength(int slot) const;

    QList<int> order;
    std::array<SampleEnvelope, kChannelSlotCount> envelopes;
    QList<MTSampleData> channels;
    QList<OneMTSample> pairs;
    ReCalculateParam settings;
};
