#pragma once
// A measuring station on a line: position, GPS, switches and its four stored result curves
// (BLOB columns of 56-byte OneFreqImpedance records), parent of its recordings. The three scalar
// curves have their error bars beside them in Data_ImpedanceExErr, Data_ImpedanceEyErr and
// Data_ImpedanceEx2Err (ErrorBarBlob; empty or NULL: no error known), columns that registration
// adds to older project files.

#include "DORE_BaseObject.h"
#include "DORE_Collection.h"
#include "ImpedanceErrorBar.h"
#include "StationCurves.h"
#include "SpectralRecords.h"

#include <QByteArray>
#include <functional>

class Data_ProcessData;
class Data_SampleData;

class Data_Station : public DORE_BaseObject {
    Q_OBJECT
    Q_CLASSINFO("StationNum", "DB")
    Q_CLASSINFO("Use", "DB")
    Q_CLASSINFO("GPS_Latitude", "DB")
    Q_CLASSINFO("GPS_Longtitude", "DB")
    Q_CLASSINFO("GPS_Elevation", "DB")
    Q_CLASSINFO("SampleNumbers", "DB")
    Q_CLASSINFO("HasResult", "DB")
    Q_CLASSINFO("Data_ImpedanceEx", "DB")
    Q_CLASSINFO("Data_ImpedanceEy", "DB")
    Q_CLASSINFO("Data_ImpedanceEx2", "DB")
    Q_CLASSINFO("Data_ImpedanceMP", "DB")
    Q_CLASSINFO("HasTensor", "DB")
    Q_CLASSINFO("XPoleDistance", "DB")
    Q_CLASSINFO("YPoleDistance", "DB")
    Q_CLASSINFO("HMT", "DB")
    Q_CLASSINFO("MMT", "DB")
    Q_CLASSINFO("LMT", "DB")
    Q_CLASSINFO("Data_LineID", "DB")
    Q_CLASSINFO("Data_LineID", "DB_INDEX")
    Q_CLASSINFO("Data_ImpedanceExErr", "DB")
    Q_CLASSINFO("Data_ImpedanceEyErr", "DB")
    Q_CLASSINFO("Data_ImpedanceEx2Err", "DB")
    Q_CLASSINFO("Data_SampleData", "DB_REFFENCE")
    Q_PROPERTY(float StationNum READ StationNum WRITE setStationNum)
    Q_PROPERTY(int Use READ Use WRITE setUse)
    Q_PROPERTY(double GPS_Latitude READ GPS_Latitude WRITE setGPS_Latitude)
    Q_PROPERTY(double GPS_Longtitude READ GPS_Longtitude WRITE setGPS_Longtitude)
    Q_PROPERTY(double GPS_Elevation READ GPS_Elevation WRITE setGPS_Elevation)
    Q_PROPERTY(int SampleNumbers READ SampleNumbers WRITE setSampleNumbers)
    Q_PROPERTY(int HasResult READ HasResult WRITE setHasResult)
    Q_PROPERTY(QByteArray Data_ImpedanceEx READ Data_ImpedanceEx WRITE setData_ImpedanceEx)
    Q_PROPERTY(QByteArray Data_ImpedanceEy READ Data_ImpedanceEy WRITE setData_ImpedanceEy)
    Q_PROPERTY(QByteArray Data_ImpedanceEx2 READ Data_ImpedanceEx2 WRITE setData_ImpedanceEx2)
    Q_PROPERTY(QByteArray Data_ImpedanceMP READ Data_ImpedanceMP WRITE setData_ImpedanceMP)
    Q_PROPERTY(int HasTensor READ HasTensor WRITE setHasTensor)
    Q_PROPERTY(double XPoleDistance READ XPoleDistance WRITE setXPoleDistance)
    Q_PROPERTY(double YPoleDistance READ YPoleDistance WRITE setYPoleDistance)
    Q_PROPERTY(int HMT READ HMT WRITE setHMT)
    Q_PROPERTY(int MMT READ MMT WRITE setMMT)
    Q_PROPERTY(int LMT READ LMT WRITE setLMT)
    Q_PROPERTY(int Data_LineID READ Data_LineID WRITE setData_LineID)
    Q_PROPERTY(QByteArray Data_ImpedanceExErr READ Data_ImpedanceExErr WRITE setData_ImpedanceExErr)
    Q_PROPERTY(QByteArray Data_ImpedanceEyErr READ Data_ImpedanceEyErr WRITE setData_ImpedanceEyErr)
    Q_PROPERTY(QByteArray Data_ImpedanceEx2Err READ Data_ImpedanceEx2Err WRITE setData_ImpedanceEx2Err)
    Q_PROPERTY(DORE_Collection<Data_SampleData> *REF_Data_SampleData READ REF_Data_SampleData
                   RESET resetREF_Data_SampleData)
public:
    explicit Data_Station(LibDORE *db, QObject *parent = nullptr);
    ~Data_Station() override;

    float StationNum() const { return m_stationNum; }
    void setStationNum(float value);
    int Use() const { return m_use; }
    void setUse(int value);
    double GPS_Latitude() const { return m_latitude; }
    void setGPS_Latitude(double degrees);
    double GPS_Longtitude() const { return m_longitude; }
    void setGPS_Longtitude(double degrees);
    double GPS_Elevation() const { return m_elevation; }
    void setGPS_Elevation(double metres);
    int SampleNumbers() const { return m_sampleNumbers; }
    void setSampleNumbers(int value);
    int HasResult() const { return m_hasResult; }
    void setHasResult(int value);
    QByteArray Data_ImpedanceEx() const { return m_impedanceEx; }
    void setData_ImpedanceEx(const QByteArray &blob);
    QByteArray Data_ImpedanceEy() const { return m_impedanceEy; }
    void setData_ImpedanceEy(const QByteArray &blob);
    QByteArray Data_ImpedanceEx2() const { return m_impedanceEx2; }
    void setData_ImpedanceEx2(const QByteArray &blob);
    QByteArray Data_ImpedanceMP() const { return m_impedanceMP; }
    void setData_ImpedanceMP(const QByteArray &blob);
    int HasTensor() const { return m_hasTensor; }
    void setHasTensor(int value);
    double XPoleDistance() const { return m_xPoleDistance; }
    void setXPoleDistance(double metres);
    double YPoleDistance() const { return m_yPoleDistance; }
    void setYPoleDistance(double metres);
    int HMT() const { return m_hmt; }
    void setHMT(int value);
    int MMT() const { return m_mmt; }
    void setMMT(int value);
    int LMT() const { return m_lmt; }
    void setLMT(int value);
    int Data_LineID() const { return m_lineId; }
    void setData_LineID(int value);
    QByteArray Data_ImpedanceExErr() const { return m_impedanceExErr; }
    void setData_ImpedanceExErr(const QByteArray &blob);
    QByteArray Data_ImpedanceEyErr() const { return m_impedanceEyErr; }
    void setData_ImpedanceEyErr(const QByteArray &blob);
    QByteArray Data_ImpedanceEx2Err() const { return m_impedanceEx2Err; }
    void setData_ImpedanceEx2Err(const QByteArray &blob);

    DORE_Collection<Data_SampleData> *REF_Data_SampleData();
    void resetREF_Data_SampleData();

    // The curves and error bars of the station's result columns.
    StationCurves storedCurves() const;
    // The curves gathered from the stored results of the used recordings sampled at 400000 Hz or
    // below, each result (and its error bars) appended to those of its component pair; no
    // multi-polarity curve.
    StationCurves assembledCurves();
    // The stored curves when the station has results (HasResult above 0), else the assembled.
    StationCurves currentCurves();

    // Writes the three curves' error bars (not committed).
    void setErrorBars(const QVector<ImpedanceErrorBar> &exHy, const QVector<ImpedanceErrorBar> &eyHx,
                      const QVector<ImpedanceErrorBar> &ex2Hy);

private:
    // Calls visit for every result row of the used recordings sampled at 400000 Hz or below whose
    // SampleChannel is 0, 1 or 2.
    void forEachUsedResult(const std::function<void(const Data_ProcessData &)> &visit);

    float m_stationNum = -1.0f;
    int m_use = 0;
    double m_latitude = 0.0;
    double m_longitude = 0.0;
    double m_elevation = 0.0;
    int m_sampleNumbers = 0;
    int m_hasResult = -1;
    QByteArray m_impedanceEx;
    QByteArray m_impedanceEy;
    QByteArray m_impedanceEx2;
    QByteArray m_impedanceMP;
    int m_hasTensor = -1;
    double m_xPoleDistance = 20.0;
    double m_yPoleDistance = 20.0;
    int m_hmt = -1;
    int m_mmt = -1;
    int m_lmt = -1;
    int m_lineId = -1;
    QByteArray m_impedanceExErr;
    QByteArray m_impedanceEyErr;
    QByteArray m_impedanceEx2Err;
    DORE_Collection<Data_SampleData> *m_samples = nullptr;
};
