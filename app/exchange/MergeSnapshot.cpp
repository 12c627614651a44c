#include "MergeSnapshot.h"

#include "Data_Line.h"
#include "Data_ProcessData.h"
#include "Data_Project.h"
#include "Data_SampleData.h"
#include "Data_Station.h"

namespace {

MergeRow recordingOf(Data_SampleData &sample)
{
    sample.update();
    MergeRow recording{sample.copiedValues(), {}};
    DORE_Collection<Data_ProcessData> *results = sample.REF_Data_ProcessData();
    for (int r = 0; r < results->count(); ++r)
        if (Data_ProcessData *result = results->at(r).object) {
            result->update();
            recording.children.append({result->copiedValues(), {}});
        }
    return recording;
}

MergeRow stationOf(Data_Station &s)
{
    s.update();
    MergeRow station{s.copiedValues(), {}};
    DORE_Collection<Data_SampleData> *samples = s.REF_Data_SampleData();
    for (int k = 0; k < samples->count(); ++k)
        if (Data_SampleData *sample = samples->at(k).object)
            station.children.append(recordingOf(*sample));
    return station;
}

} // namespace

namespace MergeSnapshot {

QList<MergeRow> read(LibDORE &db)
{
    QList<MergeRow> lines;
    DORE_Collection<Data_Project> projects(&db);
    Data_Project *project = projects.at(0).object;
    if (!project)
        return lines;
    DORE_Collection<Data_Line> *lineRows = project->REF_Data_Line();
    for (int l = 0; l < lineRows->count(); ++l) {
        Data_Line *row = lineRows->at(l).object;
        if (!row)
            continue;
        row->update();
        MergeRow line{row->copiedValues(), {}};
        DORE_Collection<Data_Station> *stations = row->REF_Data_Station();
        for (int s = 0; s < stations->count(); ++s)
            if (Data_Station *station = stations->at(s).object)
                line.children.append(stationOf(*station));
        lines.append(line);
    }
    return lines;
}

} // namespace MergeSnapshot
