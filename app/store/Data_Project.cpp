#include "Data_Project.h"

#include "Data_Line.h"

#include <QDateTime>

Data_Project::Data_Project(LibDORE *db, QObject *parent) : DORE_BaseObject(db, parent) {}

Data_Project::~Data_Project()
{
    delete m_lines;
}

void Data_Project::setProjectId(const QString &value)
{
    m_projectId = value;
    propertyChanged(QStringLiteral("ProjectId"));
}

void Data_Project::setProjectName(const QString &value)
{
    m_projectName = value;
    propertyChanged(QStringLiteral("ProjectName"));
}

void Data_Project::setProjectAddress(const QString &value)
{
    m_projectAddress = value;
    propertyChanged(QStringLiteral("ProjectAddress"));
}

void Data_Project::setProjectDate(int secondsSince1970)
{
    m_projectDate = secondsSince1970;
    propertyChanged(QStringLiteral("ProjectDate"));
}

void Data_Project::setOperatorName(const QString &value)
{
    m_operatorName = value;
    propertyChanged(QStringLiteral("OperatorName"));
}

void Data_Project::setGMTOffset(int seconds)
{
    m_gmtOffset = seconds;
    propertyChanged(QStringLiteral("GMTOffset"));
}

void Data_Project::setLinesNumbers(int value)
{
    m_linesNumbers = value;
    propertyChanged(QStringLiteral("LinesNumbers"));
}

void Data_Project::setNote(const QString &value)
{
    m_note = value;
    propertyChanged(QStringLiteral("Note"));
}

DORE_Collection<Data_Line> *Data_Project::REF_Data_Line()
{
    initReferences();
    return m_lines;
}

void Data_Project::resetREF_Data_Line()
{
    delete m_lines;
    m_lines = new DORE_Collection<Data_Line>(db(), referenceKeyColumn(), QString::number(ID()));
}

ProjectSummary Data_Project::summary() const
{
    const QDate date = QDateTime::fromSecsSinceEpoch(m_projectDate).date();
    return ProjectSummary{m_projectId, m_projectName, m_projectAddress, date, m_operatorName};
}
