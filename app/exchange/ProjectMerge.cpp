#include "ProjectMerge.h"

#include <QDebug>

#include "Data_Line.h"
#include "Data_ProcessData.h"
#include "Data_Project.h"
#include "Data_SampleData.h"
#include "Data_Station.h"
#include "LibDORE.h"
#include "OperatorDialogs.h"

namespace {

const QString kTitle = QStringLiteral("合并数据库");

// A row inserted by appendNew keeps the key 0 when its INSERT failed.
template <class T> T *newRow(DORE_Collection<T> &collection)
{
    T *row = collection.appendNew().object;
    return row && row->ID() > 0 ? row : nullptr;
}

Data_Line *lineNamed(DORE_Collection<Data_Line> &lines, int lineName)
{
    for (int l = 0; l < lines.count(); ++l) {
        Data_Line *line = lines.at(l).object;
        if (line && line->LineName() == lineName)
            return line;
    }
    return nullptr;
}

void setStation(Data_Station &row, const MergeStation &s)
{
    row.setStationNum(s.stationNum);
    row.setUse(s.use);
    row.setSampleNumbers(s.sampleNumbers);
    row.setGPS_Elevation(s.elevation);
    row.setGPS_Latitude(s.latitude);
    row.setGPS_Longtitude(s.longitude);
    row.setHasResult(s.hasResult);
    row.setHasTensor(s.hasTensor);
    row.setHMT(s.hmt);
    row.setMMT(s.mmt);
    row.setLMT(s.lmt);
    row.setXPoleDistance(s.xPoleDistance);
    row.setYPoleDistance(s.yPoleDistance);
    row.setData_ImpedanceEx(s.impedanceEx);
    row.setData_ImpedanceEy(s.impedanceEy);
    row.setData_ImpedanceEx2(s.impedanceEx2);
    row.setData_ImpedanceMP(s.impedanceMP);
}

bool copyChannels(Data_SampleData &sample, const MergeRecording &recording)
{
    for (const MergeChannel &channel : recording.channels) {
        Data_ProcessData *row = newRow(*sample.REF_Data_ProcessData());
        if (!row)
            return false;
        row->setSampleChannel(channel.sampleChannel);
        row->setSampleFrequency(channel.sampleFrequency);
        row->setData_Impedance(channel.impedance);
        row->setData_Velocity(channel.velocity);
        if (!row->commit())
            return false;
    }
    return true;
}

} // namespace

ProjectMerge::ProjectMerge(OperatorDialogs *dialogs) : dialogs(dialogs) {}

bool ProjectMerge::run(LibDORE *a, LibDORE *b)
{
    if (!a || !b) {
        qWarning() << "ProjectMerge::run: both project files must be open";
        dialogs->critical(kTitle, QStringLiteral("请先打开合并文件A和合并文件B"));
        return false;
    }
    return run(a, MergeSnapshot::read(*b));
}

bool ProjectMerge::run(LibDORE *a, const QList<MergeLine> &b)
{
    if (!a) {
        dialogs->critical(kTitle, QStringLiteral("请先打开合并文件A和合并文件B"));
        return false;
    }
    if (!a->transaction()) {
        qWarning().noquote() << "ProjectMerge::run: no transaction on" << a->connectionName();
        dialogs->critical(kTitle, QStringLiteral("合并数据库失败"));
        return false;
    }
    if (!mergeLines(*a, b) || !a->commit()) {
        a->database().rollback();
        qWarning().noquote() << "ProjectMerge::run: a write into" << a->connectionName()
                             << "failed; the merge was rolled back";
        dialogs->critical(kTitle, QStringLiteral("合并数据库失败"));
        return false;
    }
    dialogs->information(kTitle, QStringLiteral("合并数据库成功"));
    return true;
}

bool ProjectMerge::mergeLines(LibDORE &a, const QList<MergeLine> &lines)
{
    DORE_Collection<Data_Project> projects(&a);
    Data_Project *project = projects.at(0).object;
    if (!project) {
        qWarning().noquote() << "ProjectMerge::mergeLines:" << a.connectionName()
                             << "holds no project";
        return false;
    }
    for (const MergeLine &line : lines)
        if (!mergeLine(*project->REF_Data_Line(), line))
            return false;
    return true;
}

bool ProjectMerge::mergeLine(DORE_Collection<Data_Line> &lines, const MergeLine &line)
{
    Data_Line *target = lineNamed(lines, line.lineName);
    if (!target) {
        target = newRow(lines);
        if (!target)
            return false;
        target->setLineName(line.lineName);
        target->setUse(line.use);
        target->setNote(line.note);
        if (!target->commit())
            return false;
    }
    for (const MergeStation &station : line.stations)
        if (!copyStation(*target, station))
            return false;
    return target->commit();
}

bool ProjectMerge::copyStation(Data_Line &line, const MergeStation &station)
{
    Data_Station *row = newRow(*line.REF_Data_Station());
    if (!row)
        return false;
    setStation(*row, station);
    return row->commit() && copyRecordings(*row, station);
}

bool ProjectMerge::copyRecordings(Data_Station &row, const MergeStation &station)
{
    for (const MergeRecording &recording : station.recordings) {
        Data_SampleData *sample = newRow(*row.REF_Data_SampleData());
        if (!sample)
            return false;
        sample->setSampleDataNum(recording.sampleDataNum);
        sample->setSampleRate(recording.sampleRate);
        sample->setUse(recording.use);
        if (!sample->commit() || !copyChannels(*sample, recording))
            return false;
    }
    return true;
}
