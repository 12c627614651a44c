#include "MultiPolarityCurve.h"

#include <algorithm>

#include "ImpedanceFormulas.h"

namespace MultiPolarityCurve {

namespace {

// The mean of two or three single-precision values as the combination forms it.
float meanOf(const QVector<float> &values)
{
    float sum = 0.0f;
    for (float v : values)
        sum += v;
    return values.size() == 3 ? sum / 3.0f : sum * 0.5f;
}

OneFreqImpedance combinedRecord(const QList<const QVector<OneFreqImpedance> *> &curves, int i)
{
    QVector<float> rhos, phases;
    for (const QVector<OneFreqImpedance> *curve : curves) {
        rhos.append(float(curve->at(i).rho));
        phases.append(float(curve->at(i).phase));
    }
    const float freq = float(curves.first()->at(i).freq);
    const float rho = meanOf(rhos);
    const float phase = meanOf(phases);
    OneFreqImpedance record;
    record.tag = 0.0;
    record.freq = freq;
    record.rho = rho;
    record.phase = phase;
    record.coherency = 0.75f;
    record.bostickRho = ImpedanceFormulas::bostickRho(rho, phase);
    record.bostickDepth = ImpedanceFormulas::bostickDepth(rho, freq);
    return record;
}

} // namespace

QVector<OneFreqImpedance> combine(const QVector<OneFreqImpedance> &exHy,
                                  const QVector<OneFreqImpedance> &eyHx,
                                  const QVector<OneFreqImpedance> &ex2Hy)
{
    QList<const QVector<OneFreqImpedance> *> curves;
    for (const QVector<OneFreqImpedance> *curve : {&exHy, &eyHx, &ex2Hy})
        if (!curve->isEmpty())
            curves.append(curve);
    if (curves.isEmpty())
        return {};
    if (curves.size() == 1)
        return *curves.first();
    int length = curves.first()->size();
    for (const QVector<OneFreqImpedance> *curve : qAsConst(curves))
        length = std::min(length, curve->size());
    QVector<OneFreqImpedance> result;
    result.reserve(length);
    for (int i = 0; i < length; ++i)
        result.append(combinedRecord(curves, i));
    return result;
}

} // namespace MultiPolarityCurve
