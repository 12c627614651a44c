#include "ProcessingRecords.h"

#include "ImpedanceErrorBar.h"
#include "RecordingHeader.h"
#include "WholeNumbers.h"

int segmentLengthFor(const ReCalculateParam &settings, int sampleRate)
{
    const double length = settings.fftLength < 0 ? double(sampleRate) : double(settings.fftLength);
    int n = 0;
    return WholeNumbers::truncatedInt(length, kShortestSegment, kLongestSegment, n) ? n : 0;
}

void registerProcessingMetaTypes()
{
    qRegisterMetaType<ChannelCode>("ChannelCode");
    qRegisterMetaType<ReCalculateParam>("ReCalculateParam");
    qRegisterMetaType<MTSampleData>("MTSampleData");
    qRegisterMetaType<OneMTSample>("OneMTSample");
    qRegisterMetaType<DataType_ResultData>("DataType_ResultData");
    qRegisterMetaType<TopoData>("TopoData");
    qRegisterMetaType<RecordingHeader>("RecordingHeader");
    qRegisterMetaType<QList<MTSampleData>>("QList<MTSampleData>");
    qRegisterMetaType<QList<OneMTSample>>("QList<OneMTSample>");
    qRegisterMetaType<QList<DataType_ResultData>>("QList<DataType_ResultData>");
    qRegisterMetaType<QVector<TopoData>>("QVector<TopoData>");
    qRegisterMetaType<ImpedanceErrorBar>("ImpedanceErrorBar");
    qRegisterMetaType<QVector<ImpedanceErrorBar>>("QVector<ImpedanceErrorBar>");
}
