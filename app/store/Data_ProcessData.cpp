#include "Data_ProcessData.h"

#include "CurveBlob.h"
#include "ErrorBarBlob.h"

Data_ProcessData::Data_ProcessData(LibDORE *db, QObject *parent) : DORE_BaseObject(db, parent) {}

void Data_ProcessData::setSampleFrequency(double hertz)
{
    m_sampleFrequency = hertz;
    propertyChanged(QStringLiteral("SampleFrequency"));
}

void Data_ProcessData::setSampleChannel(int value)
{
    m_sampleChannel = value;
    propertyChanged(QStringLiteral("SampleChannel"));
}

void Data_ProcessData::setData_Impedance(const QByteArray &blob)
{
    m_impedance = blob;
    propertyChanged(QStringLiteral("Data_Impedance"));
}

void Data_ProcessData::setData_Velocity(const QByteArray &blob)
{
    m_velocity = blob;
    propertyChanged(QStringLiteral("Data_Velocity"));
}

void Data_ProcessData::setData_SampleDataID(int value)
{
    m_sampleDataId = value;
    propertyChanged(QStringLiteral("Data_SampleDataID"));
}

void Data_ProcessData::setData_ImpedanceErr(const QByteArray &blob)
{
    m_impedanceErr = blob;
    propertyChanged(QStringLiteral("Data_ImpedanceErr"));
}

QVector<ImpedanceErrorBar> Data_ProcessData::decodeErrorBars() const
{
    return ErrorBarBlob::decode(m_impedanceErr);
}

QVector<OneFreqImpedance> Data_ProcessData::decodeCurve() const
{
    return CurveBlob::decode(m_impedance);
}
