#include "ProjectMerge.h"

#include <QDebug>

#include "Data_Line.h"
#include "Data_ProcessData.h"
#include "Data_Project.h"
#include "Data_SampleData.h"
#include "Data_Station.h"
#include "LibDORE.h"
#include "OperatorDialogs.h"
#include "OperatorMessages.h"

namespace {

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

// A new row of collection with the copied values of row, committed; null when a write failed.
template <class T> T *copiedRow(DORE_Collection<T> &collection, const MergeRow &row)
{
    T *copy = newRow(collection);
    if (!copy)
        return nullptr;
    copy->setCopiedValues(row.values);
    return copy->commit() ? copy : nullptr;
}

bool copyRecording(Data_Station &station, const MergeRow &recording)
{
    Data_SampleData *sample = copiedRow(*station.REF_Data_SampleData(), recording);
    if (!sample)
        return false;
    for (const MergeRow &channel : recording.children)
        if (!copiedRow(*sample->REF_Data_ProcessData(), channel))
            return false;
    return true;
}

} // namespace

ProjectMerge::ProjectMerge(OperatorDialogs *dialogs) : dialogs(dialogs) {}

bool ProjectMerge::run(LibDORE *a, LibDORE *b)
{
    if (!a || !b) {
        qWarning() << "ProjectMerge::run: both project files must be open";
        showCritical(*dialogs, OperatorMessages::mergeFilesNotOpen());
        return false;
    }
    return run(a, MergeSnapshot::read(*b));
}

bool ProjectMerge::run(LibDORE *a, const QList<MergeRow> &b)
{
    if (!a) {
        showCritical(*dialogs, OperatorMessages::mergeFilesNotOpen());
        return false;
    }
    if (!a->transaction()) {
        qWarning().noquote() << "ProjectMerge::run: no transaction on" << a->connectionName();
        showCritical(*dialogs, OperatorMessages::mergeFailed());
        return false;
    }
    if (!mergeLines(*a, b) || !a->commit()) {
        a->database().rollback();
        qWarning().noquote() << "ProjectMerge::run: a write into" << a->connectionName()
                             << "failed; the merge was rolled back";
        showCritical(*dialogs, OperatorMessages::mergeFailed());
        return false;
    }
    showInformation(*dialogs, OperatorMessages::mergeSucceeded());
    return true;
}

bool ProjectMerge::mergeLines(LibDORE &a, const QList<MergeRow> &lines)
{
    DORE_Collection<Data_Project> projects(&a);
    Data_Project *project = projects.at(0).object;
    if (!project) {
        qWarning().noquote() << "ProjectMerge::mergeLines:" << a.connectionName()
                             << "holds no project";
        return false;
    }
    for (const MergeRow &line : lines)
        if (!mergeLine(*project->REF_Data_Line(), line))
            return false;
    return true;
}

bool ProjectMerge::mergeLine(DORE_Collection<Data_Line> &lines, const MergeRow &line)
{
    Data_Line *target = lineNamed(lines, line.values.value(QStringLiteral("LineName")).toInt());
    if (!target)
        target = copiedRow(lines, line);
    if (!target)
        return false;
    for (const MergeRow &station : line.children)
        if (!copyStation(*target, station))
            return false;
    return target->commit();
}

bool ProjectMerge::copyStation(Data_Line &line, const MergeRow &station)
{
    Data_Station *row = copiedRow(*line.REF_Data_Station(), station);
    if (!row)
        return false;
    for (const MergeRow &recording : station.children)
        if (!copyRecording(*row, recording))
            return false;
    return true;
}
