#pragma once
// One processed result of a recording: the curve of one component pair, and its error bars in
// Data_ImpedanceErr (ErrorBarBlob; empty or NULL: no error known; added to older files by
// registration).

#include "DORE_BaseObject.h"
#include "ImpedanceErrorBar.h"
#include "SpectralRecords.h"

#include <QByteArray>

class Data_ProcessData : public DORE_BaseObject {
    Q_OBJECT
    Q_CLASSINFO("SampleFrequency", "DB")
    Q_CLASSINFO("SampleChannel", "DB")
    Q_CLASSINFO("Data_Impedance", "DB")
    Q_CLASSINFO("Data_Velocity", "DB")
    Q_CLASSINFO("Data_SampleDataID", "DB")
    Q_CLASSINFO("Data_SampleDataID", "DB_INDEX")
    Q_CLASSINFO("Data_ImpedanceErr", "DB")
    Q_PROPERTY(double SampleFrequency READ SampleFrequency WRITE setSampleFrequency)
    Q_PROPERTY(int SampleChannel READ SampleChannel WRITE setSampleChannel)
    Q_PROPERTY(QByteArray Data_Impedance READ Data_Impedance WRITE setData_Impedance)
    Q_PROPERTY(QByteArray Data_Velocity READ Data_Velocity WRITE setData_Velocity)
    Q_PROPERTY(int Data_SampleDataID READ Data_SampleDataID WRITE setData_SampleDataID)
    Q_PROPERTY(QByteArray Data_ImpedanceErr READ Data_ImpedanceErr WRITE setData_ImpedanceErr)
public:
    // Component pairs of SampleChannel.
    enum Channel { ChannelExHy = 0, ChannelEyHx = 1, ChannelEx2Hy = 2 };

    explicit Data_ProcessData(LibDORE *db, QObject *parent = nullptr);

    double SampleFrequency() const { return m_sampleFrequency; }
    void setSampleFrequency(double hertz);
    int SampleChannel() const { return m_sampleChannel; }
    void setSampleChannel(int value);
    QByteArray Data_Impedance() const { return m_impedance; }
    void setData_Impedance(const QByteArray &blob);
    QByteArray Data_Velocity() const { return m_velocity; }
    void setData_Velocity(const QByteArray &blob);
    int Data_SampleDataID() const { return m_sampleDataId; }
    void setData_SampleDataID(int value);
    QByteArray Data_ImpedanceErr() const { return m_impedanceErr; }
    void setData_ImpedanceErr(const QByteArray &blob);

    QVector<OneFreqImpedance> decodeCurve() const;
    QVector<ImpedanceErrorBar> decodeErrorBars() const;

private:
    double m_sampleFrequency = -1.0;
    int m_sampleChannel = -1;
    QByteArray m_impedance;
    QByteArray m_velocity;
    int m_sampleDataId = -1;
    QByteArray m_impedanceErr;
};
