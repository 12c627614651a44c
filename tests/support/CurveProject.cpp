#include "CurveProject.h"

#include "CurveBlob.h"
#include "DORE_Collection.h"
#include "Data_Line.h"
#include "Data_Project.h"
#include "Data_Station.h"
#include "LibDORE.h"
#include "ProjectSchema.h"

namespace {

Data_Line *lineNamed(Data_Project &project, int name)
{
    DORE_Collection<Data_Line> &lines = *project.REF_Data_Line();
    for (int l = 0; l < lines.count(); ++l)
        if (lines.at(l).object->LineName() == name)
            return lines.at(l).object;
    Data_Line *line = lines.appendNew().object;
    line->setLineName(name);
    line->setUse(1);
    return line->commit() ? line : nullptr;
}

bool addStation(Data_Line &line, const CurveStation &s)
{
    Data_Station *station = line.REF_Data_Station()->appendNew().object;
    station->setStationNum(s.number);
    station->setUse(1);
    station->setHasResult(1);
    station->setData_ImpedanceEx(CurveBlob::encode(s.exHy));
    station->setData_ImpedanceEy(CurveBlob::encode(s.eyHx));
    return station->commit();
}

} // namespace

namespace CurveProject {

bool write(const QString &path, const QList<CurveStation> &stations)
{
    LibDORE db;
    if (!db.open(path))
        return false;
    registerProjectSchema(db);
    db.transaction();
    DORE_Collection<Data_Project> projects(&db);
    Data_Project *project = projects.appendNew().object;
    bool written = project && project->commit();
    for (const CurveStation &station : stations) {
        Data_Line *line = written ? lineNamed(*project, station.line) : nullptr;
        written = line && addStation(*line, station);
    }
    return written && db.commit();
}

} // namespace CurveProject
