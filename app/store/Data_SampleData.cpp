#include "Data_SampleData.h"

#include "Data_ProcessData.h"
#include "RecordingTableReader.h"

Data_SampleData::Data_SampleData(LibDORE *db, QObject *parent) : DORE_BaseObject(db, parent) {}

Data_SampleData::~Data_SampleData()
{
    delete m_results;
}

void Data_SampleData::setSampleDataNum(int value)
{
    m_sampleDataNum = value;
    propertyChanged(QStringLiteral("SampleDataNum"));
}

void Data_SampleData::setSampleRate(int hertz)
{
    m_sampleRate = hertz;
    propertyChanged(QStringLiteral("SampleRate"));
}

void Data_SampleData::setUse(int value)
{
    m_use = value;
    propertyChanged(QStringLiteral("Use"));
}

void Data_SampleData::setData_StationID(int value)
{
    m_stationId = value;
    propertyChanged(QStringLiteral("Data_StationID"));
}

DORE_Collection<Data_ProcessData> *Data_SampleData::REF_Data_ProcessData()
{
    initReferences();
    return m_results;
}

void Data_SampleData::resetREF_Data_ProcessData()
{
    delete m_results;
    m_results = new DORE_Collection<Data_ProcessData>(db(), referenceKeyColumn(),
                                                      QString::number(ID()));
}

bool Data_SampleData::readTable()
{
    m_header.sampleRate = m_sampleRate;
    return RecordingTableReader::read(m_folder, m_sampleDataNum, m_header);
}
