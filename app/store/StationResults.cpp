#include "StationResults.h"

#include <algorithm>

#include "CurveBlob.h"
#include "Data_ProcessData.h"
#include "Data_SampleData.h"
#include "Data_Station.h"
#include "ErrorBarBlob.h"
#include "LibDORE.h"

namespace StationResults {

namespace {

Data_ProcessData *rowOfChannel(DORE_Collection<Data_ProcessData> &rows, int channel)
{
    for (int i = 0; i < rows.count(); ++i) {
        Data_ProcessData *row = rows.at(i).object;
        if (row && row->SampleChannel() == channel)
            return row;
    }
    return nullptr;
}

bool writePairRow(Data_SampleData &sample, const PairCurve &curve)
{
    DORE_Collection<Data_ProcessData> *rows = sample.REF_Data_ProcessData();
    Data_ProcessData *row = rowOfChannel(*rows, curve.channel);
    if (!row) {
        row = rows->appendNew().object;
        if (!row || row->ID() <= 0)
            return false;
        row->setData_SampleDataID(sample.ID());
        row->setSampleFrequency(sample.SampleRate());
        row->setSampleChannel(curve.channel);
    }
    row->setData_Impedance(CurveBlob::encode(curve.curve));
    row->setData_ImpedanceErr(ErrorBarBlob::encode(curve.errorBars));
    return row->commit();
}

} // namespace

void sortByFrequency(QVector<OneFreqImpedance> &curve)
{
    std::stable_sort(curve.begin(), curve.end(),
                     [](const OneFreqImpedance &a, const OneFreqImpedance &b) { return a.freq < b.freq; });
}

void setScalarCurves(Data_Station &station, const QVector<OneFreqImpedance> &exHy,
                     const QVector<OneFreqImpedance> &eyHx, const QVector<OneFreqImpedance> &ex2Hy)
{
    station.setData_ImpedanceEx(CurveBlob::encode(exHy));
    station.setData_ImpedanceEy(CurveBlob::encode(eyHx));
    station.setData_ImpedanceEx2(CurveBlob::encode(ex2Hy));
}

void setCleared(Data_Station &station)
{
    station.setHasResult(0);
    station.setData_ImpedanceEx(QByteArray());
    station.setData_ImpedanceEy(QByteArray());
    station.setData_ImpedanceEx2(QByteArray());
    station.setData_ImpedanceMP(QByteArray());
    station.setErrorBars({}, {}, {});
}

bool storePairCurve(LibDORE &db, Data_SampleData &sample, const PairCurve &curve)
{
    if (!db.transaction())
        return false;
    if (writePairRow(sample, curve) && db.commit())
        return true;
    db.database().rollback();
    sample.REF_Data_ProcessData()->reload();
    return false;
}

} // namespace StationResults
