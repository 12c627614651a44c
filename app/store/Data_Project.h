#pragma once
// A project: the top row of the project database, parent of its survey lines.

#include "DORE_BaseObject.h"
#include "DORE_Collection.h"
#include "ProjectSummary.h"

class Data_Line;

class Data_Project : public DORE_BaseObject {
    Q_OBJECT
    Q_CLASSINFO("ProjectId", "DB")
    Q_CLASSINFO("ProjectName", "DB")
    Q_CLASSINFO("ProjectAddress", "DB")
    Q_CLASSINFO("ProjectDate", "DB")
    Q_CLASSINFO("OperatorName", "DB")
    Q_CLASSINFO("GMTOffset", "DB")
    Q_CLASSINFO("LinesNumbers", "DB")
    Q_CLASSINFO("Note", "DB")
    Q_CLASSINFO("Data_Line", "DB_REFFENCE")
    Q_PROPERTY(QString ProjectId READ ProjectId WRITE setProjectId)
    Q_PROPERTY(QString ProjectName READ ProjectName WRITE setProjectName)
    Q_PROPERTY(QString ProjectAddress READ ProjectAddress WRITE setProjectAddress)
    Q_PROPERTY(int ProjectDate READ ProjectDate WRITE setProjectDate)
    Q_PROPERTY(QString OperatorName READ OperatorName WRITE setOperatorName)
    Q_PROPERTY(int GMTOffset READ GMTOffset WRITE setGMTOffset)
    Q_PROPERTY(int LinesNumbers READ LinesNumbers WRITE setLinesNumbers)
    Q_PROPERTY(QString Note READ Note WRITE setNote)
    Q_PROPERTY(DORE_Collection<Data_Line> *REF_Data_Line READ REF_Data_Line RESET
                   resetREF_Data_Line)
public:
    explicit Data_Project(LibDORE *db, QObject *parent = nullptr);
    ~Data_Project() override;

    QString ProjectId() const { return m_projectId; }
    void setProjectId(const QString &value);
    QString ProjectName() const { return m_projectName; }
    void setProjectName(const QString &value);
    QString ProjectAddress() const { return m_projectAddress; }
    void setProjectAddress(const QString &value);
    int ProjectDate() const { return m_projectDate; }
    void setProjectDate(int secondsSince1970);
    QString OperatorName() const { return m_operatorName; }
    void setOperatorName(const QString &value);
    int GMTOffset() const { return m_gmtOffset; }
    void setGMTOffset(int seconds);
    int LinesNumbers() const { return m_linesNumbers; }
    void setLinesNumbers(int value);
    QString Note() const { return m_note; }
    void setNote(const QString &value);

    DORE_Collection<Data_Line> *REF_Data_Line();
    void resetREF_Data_Line();

    ProjectSummary summary() const;

private:
    QString m_projectId;
    QString m_projectName;
    QString m_projectAddress;
    int m_projectDate = 0;
    QString m_operatorName;
    int m_gmtOffset = 28800;
    int m_linesNumbers = 0;
    QString m_note;
    DORE_Collection<Data_Line> *m_lines = nullptr;
};
