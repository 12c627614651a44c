#pragma once
// One recording (one sampling rate) made at a station, parent of its processed results. Besides
// its columns it carries the station folder and the header read from the folder's recording
// table, which is never stored in the database.

#include "DORE_BaseObject.h"
#include "DORE_Collection.h"
#include "RecordingHeader.h"

class Data_ProcessData;

class Data_SampleData : public DORE_BaseObject {
    Q_OBJECT
    Q_CLASSINFO("SampleDataNum", "DB")
    Q_CLASSINFO("SampleRate", "DB")
    Q_CLASSINFO("Use", "DB")
    Q_CLASSINFO("Data_StationID", "DB")
    Q_CLASSINFO("Data_StationID", "DB_INDEX")
    Q_CLASSINFO("Data_ProcessData", "DB_REFFENCE")
    Q_PROPERTY(int SampleDataNum READ SampleDataNum WRITE setSampleDataNum)
    Q_PROPERTY(int SampleRate READ SampleRate WRITE setSampleRate)
    Q_PROPERTY(int Use READ Use WRITE setUse)
    Q_PROPERTY(int Data_StationID READ Data_StationID WRITE setData_StationID)
    Q_PROPERTY(DORE_Collection<Data_ProcessData> *REF_Data_ProcessData READ REF_Data_ProcessData
                   RESET resetREF_Data_ProcessData)
public:
    explicit Data_SampleData(LibDORE *db, QObject *parent = nullptr);
    ~Data_SampleData() override;

    int SampleDataNum() const { return m_sampleDataNum; }
    void setSampleDataNum(int value);
    int SampleRate() const { return m_sampleRate; }
    void setSampleRate(int hertz);
    int Use() const { return m_use; }
    void setUse(int value);
    int Data_StationID() const { return m_stationId; }
    void setData_StationID(int value);

    DORE_Collection<Data_ProcessData> *REF_Data_ProcessData();
    void resetREF_Data_ProcessData();

    void setFolder(const QString &stationFolder) { m_folder = stationFolder; }
    QString folder() const { return m_folder; }
    // Reads this recording's row (by SampleDataNum) of the folder's recording table into the
    // header, whose sampling rate is SampleRate. False when the table has no readable row for it.
    bool readTable();
    // The header as the last readTable left it.
    const RecordingHeader &header() const { return m_header; }

private:
    int m_sampleDataNum = 0;
    int m_sampleRate = 0;
    int m_use = 0;
    int m_stationId = -1;
    DORE_Collection<Data_ProcessData> *m_results = nullptr;
    QString m_folder;
    RecordingHeader m_header;
};
