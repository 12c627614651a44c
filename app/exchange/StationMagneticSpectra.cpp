#include "StationMagneticSpectra.h"

#include <QDebug>

#include "Data_RhoworksCalc.h"
#include "Data_SampleData.h"
#include "Data_Station.h"
#include "RecordingDescriptors.h"
#include "RecordingProcessing.h"
#include "RecordingTableReader.h"
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

MagneticSpectra compute(Data_Station &station, const QString &stationFolder,
                        const ReCalculateParam &settings)
{
    MagneticSpectra spectra;
    DORE_Collection<Data_SampleData> *samples = station.REF_Data_SampleData();
    for (int r = 0; r < samples->count(); ++r) {
        const Data_SampleData *sample = samples->at(r).object;
        if (!sample || sample->Use() == 0)
            continue;
        RecordingInfo info;
        if (!RecordingTableReader::read(stationFolder, sample->SampleDataNum(), info)) {
            qWarning().noquote() << "StationMagneticSpectra: recording" << sample->SampleDataNum()
                                 << "has no row in" << stationFolder + QStringLiteral("/config.ini");
            continue;
        }
        const RecordingHeader header = RecordingProcessing::headerOf(info, sample->SampleRate());
        for (const MTSampleData &channel : RecordingDescriptors::buildChannelSamples(header)) {
            if (channel.channel == Channel_Hx)
                mergeChannel(channel, settings, spectra.hx);
            else if (channel.channel == Channel_Hy)
                mergeChannel(channel, settings, spectra.hy);
        }
    }
    return spectra;
}

} // namespace StationMagneticSpectra
