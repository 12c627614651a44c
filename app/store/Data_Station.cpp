#include "Data_Station.h"

#include "CurveBlob.h"
#include "Data_ProcessData.h"
#include "Data_SampleData.h"
#include "ErrorBarBlob.h"

#include <QDebug>

Data_Station::Data_Station(LibDORE *db, QObject *parent) : DORE_BaseObject(db, parent) {}

Data_Station::~Data_Station()
{
    delete m_samples;
}

void Data_Station::setStationNum(float value)
{
    m_stationNum = value;
    propertyChanged(QStringLiteral("StationNum"));
}

void Data_Station::setUse(int value)
{
    m_use = value;
    propertyChanged(QStringLiteral("Use"));
}

void Data_Station::setGPS_Latitude(double degrees)
{
    m_latitude = degrees;
    propertyChanged(QStringLiteral("GPS_Latitude"));
}

void Data_Station::setGPS_Longtitude(double degrees)
{
    m_longitude = degrees;
    propertyChanged(QStringLiteral("GPS_Longtitude"));
}

void Data_Station::setGPS_Elevation(double metres)
{
    m_elevation = metres;
    propertyChanged(QStringLiteral("GPS_Elevation"));
}

void Data_Station::setSampleNumbers(int value)
{
    m_sampleNumbers = value;
    propertyChanged(QStringLiteral("SampleNumbers"));
}

void Data_Station::setHasResult(int value)
{
    m_hasResult = value;
    propertyChanged(QStringLiteral("HasResult"));
}

void Data_Station::setData_ImpedanceEx(const QByteArray &blob)
{
    m_impedanceEx = blob;
    propertyChanged(QStringLiteral("Data_ImpedanceEx"));
}

void Data_Station::setData_ImpedanceEy(const QByteArray &blob)
{
    m_impedanceEy = blob;
    propertyChanged(QStringLiteral("Data_ImpedanceEy"));
}

void Data_Station::setData_ImpedanceEx2(const QByteArray &blob)
{
    m_impedanceEx2 = blob;
    propertyChanged(QStringLiteral("Data_ImpedanceEx2"));
}

void Data_Station::setData_ImpedanceMP(const QByteArray &blob)
{
    m_impedanceMP = blob;
    propertyChanged(QStringLiteral("Data_ImpedanceMP"));
}

void Data_Station::setHasTensor(int value)
{
    m_hasTensor = value;
    propertyChanged(QStringLiteral("HasTensor"));
}

void Data_Station::setXPoleDistance(double metres)
{
    m_xPoleDistance = metres;
    propertyChanged(QStringLiteral("XPoleDistance"));
}

void Data_Station::setYPoleDistance(double metres)
{
    m_yPoleDistance = metres;
    propertyChanged(QStringLiteral("YPoleDistance"));
}

void Data_Station::setHMT(int value)
{
    m_hmt = value;
    propertyChanged(QStringLiteral("HMT"));
}

void Data_Station::setMMT(int value)
{
    m_mmt = value;
    propertyChanged(QStringLiteral("MMT"));
}

void Data_Station::setLMT(int value)
{
    m_lmt = value;
    propertyChanged(QStringLiteral("LMT"));
}

void Data_Station::setData_LineID(int value)
{
    m_lineId = value;
    propertyChanged(QStringLiteral("Data_LineID"));
}
void Data_Station::setData_ImpedanceExErr(const QByteArray &blob)
{
    m_impedanceExErr = blob;
    propertyChanged(QStringLiteral("Data_ImpedanceExErr"));
}

void Data_Station::setData_ImpedanceEyErr(const QByteArray &blob)
{
    m_impedanceEyErr = blob;
    propertyChanged(QStringLiteral("Data_ImpedanceEyErr"));
}

void Data_Station::setData_ImpedanceEx2Err(const QByteArray &blob)
{
    m_impedanceEx2Err = blob;
    propertyChanged(QStringLiteral("Data_ImpedanceEx2Err"));
}

DORE_Collection<Data_SampleData> *Data_Station::REF_Data_SampleData()
{
    initReferences();
    return m_samples;
}

void Data_Station::resetREF_Data_SampleData()
{
    delete m_samples;
    m_samples = new DORE_Collection<Data_SampleData>(db(), referenceKeyColumn(),
                                                     QString::number(ID()));
}

StationCurves Data_Station::storedCurves() const
{
    StationCurves curves;
    CurveBlob::decode(m_impedanceEx, curves.exHy);
    CurveBlob::decode(m_impedanceEy, curves.eyHx);
    CurveBlob::decode(m_impedanceEx2, curves.ex2Hy);
    CurveBlob::decode(m_impedanceMP, curves.multiPolarity);
    curves.exHyBars = ErrorBarBlob::decode(m_impedanceExErr);
    curves.eyHxBars = ErrorBarBlob::decode(m_impedanceEyErr);
    curves.ex2HyBars = ErrorBarBlob::decode(m_impedanceEx2Err);
    return curves;
}

StationCurves Data_Station::currentCurves()
{
    return HasResult() > 0 ? storedCurves() : assembledCurves();
}

void Data_Station::forEachUsedResult(const std::function<void(const Data_ProcessData &)> &visit)
{
    // Recordings above this rate are not magnetotelluric soundings and never join a curve.
    constexpr int kHighestRate = 400000;
    DORE_Collection<Data_SampleData> *samples = REF_Data_SampleData();
    for (int s = 0; s < samples->count(); ++s) {
        Data_SampleData *sample = samples->at(s).object;
        if (!sample || sample->Use() == 0)
            continue;
        sample->update();
        if (sample->SampleRate() > kHighestRate)
            continue;
        DORE_Collection<Data_ProcessData> *results = sample->REF_Data_ProcessData();
        for (int r = 0; r < results->count(); ++r) {
            const Data_ProcessData *result = results->at(r).object;
            const int channel = result ? result->SampleChannel() : -1;
            if (channel >= 0 && channel < 3)
                visit(*result);
        }
    }
}

StationCurves Data_Station::assembledCurves()
{
    StationCurves curves;
    QVector<OneFreqImpedance> *byChannel[] = {&curves.exHy, &curves.eyHx, &curves.ex2Hy};
    QVector<ImpedanceErrorBar> *barsByChannel[] = {&curves.exHyBars, &curves.eyHxBars, &curves.ex2HyBars};
    if (REF_Data_SampleData()->count() == 0)
        qDebug().noquote() << "Data_Station::assembledCurves station" << StationNum()
                           << "has no recording";
    forEachUsedResult([&](const Data_ProcessData &result) {
        *byChannel[result.SampleChannel()] += result.decodeCurve();
        *barsByChannel[result.SampleChannel()] += result.decodeErrorBars();
    });
    return curves;
}

void Data_Station::setErrorBars(const QVector<ImpedanceErrorBar> &exHy, const QVector<ImpedanceErrorBar> &eyHx,
                                const QVector<ImpedanceErrorBar> &ex2Hy)
{
    setData_ImpedanceExErr(ErrorBarBlob::encode(exHy));
    setData_ImpedanceEyErr(ErrorBarBlob::encode(eyHx));
    setData_ImpedanceEx2Err(ErrorBarBlob::encode(ex2Hy));
}
