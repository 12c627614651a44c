#include "StationMagneticSpectra.h"

#include <QDebug>

#include "Data_RhoworksCalc.h"
#include "Data_SampleData.h"
#include "Data_Station.h"
#include "RecordingDescriptors.h"
#include "Wavefile.h"

namespace StationMagneticSpectra {

namespace {

constexpr int kDefaultSegmentLength = 16384;

void mergeChannel(const MTSampleData &channel, const ReCalculateParam &settings,
                  QMap<double, double> &spectrum)
{
    const int n = segmentLength(settings);
    Wavefile reader;
    if (!reader.getTimeSeries(channel.dataFile, channel.countScale, channel.sampleCount, n,
                              settings.fftCount)) {
        qWarning().noquote() << "StationMagneticSpectra: cannot read" << channel.dataFile;
        return;
    }
    if (!Data_RhoworksCalc().calcStationSpectrum(reader.getTsData(), channel.sampleFrequency, n,
                                                 channel.gainFile, channel.sensorFile, spectrum))
        qWarning().noquote() << "StationMagneticSpectra: no spectrum from" << channel.dataFile
                             << "(a whole segment of" << n << "samples, the sensor table"
                             << channel.sensorFile << "and the gain table" << channel.gainFile
                             << "are needed)";
}

} // namespace

int segmentLength(const ReCalculateParam &settings)
{
    // A length the processing does not accept (below 1, or beyond its longest) takes the default.
    const int n = segmentLengthFor(settings, 0);
    return n > 0 ? n : kDefaultSegmentLength;
}

QVector<MTSampleData> magneticChannels(Data_Station &station, const QString &stationFolder)
{
    QVector<MTSampleData> channels;
    DORE_Collection<Data_SampleData> *samples = station.REF_Data_SampleData();
    for (int r = 0; r < samples->count(); ++r) {
        Data_SampleData *sample = samples->at(r).object;
        if (!sample || sample->Use() == 0)
            continue;
        sample->setFolder(stationFolder);
        if (!sample->readTable()) {
            qWarning().noquote() << "StationMagneticSpectra: recording" << sample->SampleDataNum()
                                 << "has no row in" << stationFolder + QStringLiteral("/config.ini");
            continue;
        }
        for (const MTSampleData &channel : RecordingDescriptors::buildChannelSamples(sample->header()))
            if (channel.channel == Channel_Hx || channel.channel == Channel_Hy)
                channels << channel;
    }
    return channels;
}

bool compute(const QVector<MTSampleData> &channels, const ReCalculateParam &settings,
             const std::function<bool(double fraction)> &keepGoing, MagneticSpectra &spectra)
{
    for (int c = 0; c < channels.size(); ++c) {
        if (keepGoing && !keepGoing(double(c) / channels.size()))
            return false;
        const MTSampleData &channel = channels[c];
        mergeChannel(channel, settings, channel.channel == Channel_Hx ? spectra.hx : spectra.hy);
    }
    return true;
}

} // namespace StationMagneticSpectra
