#include "SyntheticProject.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include "Data_Line.h"
#include "Data_Project.h"
#include "Data_SampleData.h"
#include "Data_Station.h"
#include "LibDORE.h"
#include "ProjectSchema.h"
#include "SurveyWriter.h"

namespace {

// The stations of survey grouped by line, lines in increasing order, stations as written.
QMap<int, QList<StationDescription>> stationsByLine(const SurveyDescription &survey)
{
    QMap<int, QList<StationDescription>> lines;
    for (const StationDescription &station : survey.stations)
        lines[station.line].append(station);
    return lines;
}

qint64 earliestStart(const SurveyDescription &survey)
{
    qint64 earliest = 0;
    for (const StationDescription &station : survey.stations)
        for (const RecordingDescription &recording : station.recordings)
            if (recording.start.isValid()
                && (earliest == 0 || recording.start.toSecsSinceEpoch() < earliest))
                earliest = recording.start.toSecsSinceEpoch();
    return earliest;
}

bool addRecordings(Data_Station &row, const StationDescription &station)
{
    for (const RecordingDescription &recording : station.recordings) {
        Data_SampleData *sample = row.REF_Data_SampleData()->appendNew().object;
        if (!sample || sample->ID() <= 0)
            return false;
        sample->setSampleDataNum(recording.number);
        sample->setSampleRate(recording.sampleRate);
        sample->setUse(1);
        if (!sample->commit())
            return false;
    }
    return true;
}

bool addStation(Data_Line &line, const StationDescription &station)
{
    Data_Station *row = line.REF_Data_Station()->appendNew().object;
    if (!row || row->ID() <= 0)
        return false;
    row->setStationNum(float(station.station));
    row->setUse(1);
    row->setSampleNumbers(station.recordings.size());
    row->setXPoleDistance(station.exDipole);
    row->setYPoleDistance(station.eyDipole);
    return row->commit() && addRecordings(*row, station);
}

bool addRows(LibDORE &db, const SurveyDescription &survey, const QString &name)
{
    DORE_Collection<Data_Project> projects(&db);
    Data_Project *project = projects.at(0).object;
    if (!project)
        return false;
    const QMap<int, QList<StationDescription>> lines = stationsByLine(survey);
    project->setProjectId(name);
    project->setProjectName(QStringLiteral("Synthetic survey %1").arg(name));
    project->setProjectAddress(QStringLiteral("layered-earth model"));
    project->setProjectDate(int(earliestStart(survey)));
    project->setOperatorName(QStringLiteral("synthetic generator"));
    project->setLinesNumbers(lines.size());
    if (!project->commit())
        return false;
    for (auto it = lines.cbegin(); it != lines.cend(); ++it) {
        Data_Line *line = project->REF_Data_Line()->appendNew().object;
        if (!line || line->ID() <= 0)
            return false;
        line->setLineName(it.key());
        line->setUse(1);
        if (!line->commit())
            return false;
        for (const StationDescription &station : it.value())
            if (!addStation(*line, station))
                return false;
    }
    return true;
}

bool writeProjectFile(const QString &path, const SurveyDescription &survey, const QString &name)
{
    QString problem;
    if (!createProjectFile(path, name, problem)) {
        qWarning().noquote() << "SyntheticProject::write:" << problem;
        return false;
    }
    LibDORE db;
    if (!db.open(path))
        return false;
    registerProjectSchema(db);
    if (!db.transaction())
        return false;
    if (!addRows(db, survey, name)) {
        db.database().rollback();
        return false;
    }
    return db.commit();
}

} // namespace

QString SyntheticProject::projectFilePath(const QString &workDir, const QString &name)
{
    return QDir(workDir).absoluteFilePath(name + QStringLiteral(".HMT"));
}

bool SyntheticProject::write(const SurveyDescription &survey, const QString &name,
                             QString *projectFile)
{
    const QString path = projectFilePath(survey.workDir, name);
    if (projectFile)
        *projectFile = path;
    if (QFileInfo::exists(path)) {
        qWarning() << "SyntheticProject::write: the project file already exists:" << path;
        return false;
    }
    if (writeProjectFile(path, survey, name))
        return true;
    qWarning() << "SyntheticProject::write: writing" << path << "failed";
    QFile::remove(path);
    return false;
}

bool SyntheticProject::create(const SurveyPlan &request, const QString &workDir, const QString &name,
                              SurveyDescription *survey, QString *projectFile)
{
    return SurveyWriter(workDir).writeSurvey(request, survey) && write(*survey, name, projectFile);
}
