#include "ExchangeFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "CurveBlob.h"
#include "ProjectSchema.h"

WorkFolder::WorkFolder() : previous(QDir::currentPath())
{
    QDir::setCurrent(dir.path());
}

WorkFolder::~WorkFolder()
{
    QDir::setCurrent(previous);
}

QString WorkFolder::path(const QString &name) const
{
    return name.isEmpty() ? dir.path() : dir.filePath(name);
}

void WorkFolder::writeText(const QString &name, const QByteArray &text) const
{
    QDir().mkpath(QFileInfo(path(name)).path());
    QFile file(path(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
}

QByteArray WorkFolder::readText(const QString &name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TestProject::TestProject(const QString &file) : database(std::make_unique<LibDORE>())
{
    database->open(file);
    registerProjectSchema(*database);
    projects = std::make_unique<DORE_Collection<Data_Project>>(database.get());
    if (projects->count() == 0) {
        Data_Project *project = projects->appendNew().object;
        project->setProjectName(QStringLiteral("test"));
        project->commit();
    }
}

Data_Line *TestProject::addLine(int lineName, int use, const QString &note)
{
    Data_Line *line = project()->REF_Data_Line()->appendNew().object;
    line->setLineName(lineName);
    line->setUse(use);
    line->setNote(note);
    line->commit();
    return line;
}

Data_Station *TestProject::addStation(Data_Line *line, float number,
                                      const QVector<OneFreqImpedance> &exCurve, int use)
{
    Data_Station *station = line->REF_Data_Station()->appendNew().object;
    station->setStationNum(number);
    station->setUse(use);
    station->setData_ImpedanceEx(CurveBlob::encode(exCurve));
    station->commit();
    return station;
}

QVector<OneFreqImpedance> flatCurve(int n, double rho, double phase, double f0, double step)
{
    QVector<OneFreqImpedance> curve;
    double f = f0;
    for (int i = 0; i < n; ++i, f *= step) {
        OneFreqImpedance record;
        record.freq = f;
        record.coherency = 0.9;
        record.rho = rho;
        record.phase = phase;
        curve.append(record);
    }
    return curve;
}
