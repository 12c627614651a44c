#pragma once
// A survey line of a project, parent of its stations.

#include "DORE_BaseObject.h"
#include "DORE_Collection.h"
#include "StationCurve.h"

class Data_Station;

class Data_Line : public DORE_BaseObject {
    Q_OBJECT
    Q_CLASSINFO("LineName", "DB")
    Q_CLASSINFO("Use", "DB")
    Q_CLASSINFO("Note", "DB")
    Q_CLASSINFO("Data_ProjectID", "DB")
    Q_CLASSINFO("Data_ProjectID", "DB_INDEX")
    Q_CLASSINFO("Data_Station", "DB_REFFENCE")
    Q_PROPERTY(int LineName READ LineName WRITE setLineName)
    Q_PROPERTY(int Use READ Use WRITE setUse)
    Q_PROPERTY(QString Note READ Note WRITE setNote)
    Q_PROPERTY(int Data_ProjectID READ Data_ProjectID WRITE setData_ProjectID)
    Q_PROPERTY(DORE_Collection<Data_Station> *REF_Data_Station READ REF_Data_Station RESET
                   resetREF_Data_Station)
public:
    // Curve modes of sectionData.
    enum SectionMode { ModeExHy = 0, ModeEyHx = 1, ModeEx2Hy = 2, ModeMultiPolarity = 3 };
    static constexpr double kNoBound = -1.0;

    explicit Data_Line(LibDORE *db, QObject *parent = nullptr);
    ~Data_Line() override;

    int LineName() const { return m_lineName; }
    void setLineName(int value);
    int Use() const { return m_use; }
    void setUse(int value);
    QString Note() const { return m_note; }
    void setNote(const QString &value);
    int Data_ProjectID() const { return m_projectId; }
    void setData_ProjectID(int value);

    DORE_Collection<Data_Station> *REF_Data_Station();
    void resetREF_Data_Station();

    // The curve of mode of every used station whose number lies within [lowest, highest]
    // (kNoBound for either end: unbounded) and whose curve is not empty, in collection order,
    // with the parallel station positions. Empty when both bounds are given and lowest > highest.
    void sectionData(int mode, double lowest, double highest,
                     QList<QVector<OneFreqImpedance>> &curves, QList<double> &positions);
    // The non-empty curves named in components ("Ex", "Ex2", "Ey") of every used station, per
    // station in the order Ex, Ex2, Ey.
    QList<StationCurve> channelSelection(const QStringList &components);

private:
    int m_lineName = -1;
    int m_use = 0;
    QString m_note;
    int m_projectId = -1;
    DORE_Collection<Data_Station> *m_stations = nullptr;
};
