#include "MergeSnapshot.h"

#include "Data_Line.h"
#include "Data_ProcessData.h"
#include "Data_Project.h"
#include "Data_SampleData.h"
#include "Data_Station.h"

namespace {

MergeRecording recordingOf(Data_SampleData &sample)
{
    MergeRecording recording{sample.SampleDataNum(), sample.SampleRate(), sample.Use(), {}};
    DORE_Collection<Data_ProcessData> *results = sample.REF_Data_ProcessData();
    for (int r = 0; r < results->count(); ++r)
        if (const Data_ProcessData *result = results->at(r).object)
            recording.channels.append({result->SampleChannel(), result->SampleFrequency(),
                                       result->Data_Impedance(), result->Data_Velocity()});
    return recording;
}

MergeStation stationOf(Data_Station &s)
{
    MergeStation station;
    station.stationNum = s.StationNum();
    station.use = s.Use();
    station.sampleNumbers = s.SampleNumbers();
    station.elevation = s.GPS_Elevation();
    station.latitude = s.GPS_Latitude();
    station.longitude = s.GPS_Longtitude();
    station.hasResult = s.HasResult();
    station.hasTensor = s.HasTensor();
    station.hmt = s.HMT();
    station.mmt = s.MMT();
    station.lmt = s.LMT();
    station.xPoleDistance = s.XPoleDistance();
    station.yPoleDistance = s.YPoleDistance();
    station.impedanceEx = s.Data_ImpedanceEx();
    station.impedanceEy = s.Data_ImpedanceEy();
    station.impedanceEx2 = s.Data_ImpedanceEx2();
    station.impedanceMP = s.Data_ImpedanceMP();
    DORE_Collection<Data_SampleData> *samples = s.REF_Data_SampleData();
    for (int k = 0; k < samples->count(); ++k)
        if (Data_SampleData *sample = samples->at(k).object) {
            sample->update();
            station.recordings.append(recordingOf(*sample));
        }
    return station;
}

} // namespace

namespace MergeSnapshot {

QList<MergeLine> read(LibDORE &db)
{
    QList<MergeLine> lines;
    DORE_Collection<Data_Project> projects(&db);
    Data_Project *project = projects.at(0).object;
    if (!project)
        return lines;
    DORE_Collection<Data_Line> *lineRows = project->REF_Data_Line();
    for (int l = 0; l < lineRows->count(); ++l) {
        Data_Line *row = lineRows->at(l).object;
        if (!row)
            continue;
        MergeLine line{row->LineName(), row->Use(), row->Note(), {}};
        DORE_Collection<Data_Station> *stations = row->REF_Data_Station();
        for (int s = 0; s < stations->count(); ++s)
            if (Data_Station *station = stations->at(s).object)
                line.stations.append(stationOf(*station));
        lines.append(line);
    }
    return lines;
}

} // namespace MergeSnapshot
