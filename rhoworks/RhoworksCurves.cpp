// Repairs of finished curves (dead frequencies, power-line frequencies), smoothers and sort order.

#include "Rhoworks.h"

#include <array>
#include <cmath>

#include "ImpedanceFormulas.h"
#include "RecordColumn.h"
#include "SplineRepair.h"

namespace {

constexpr double kPowerLineToleranceHz = 0.0001;

void setBostick(OneFreqImpedance &record)
{
    record.bostickDepth = ImpedanceFormulas::bostickDepth(record.rho, record.freq);
    record.bostickRho = ImpedanceFormulas::bostickRho(record.rho, record.phase);
}

// Index-distance weighted mean of rho and phase over the live records, for dead record i.
void fillFromLiveRecords(QVector<OneFreqImpedance> &curve, const QVector<bool> &dead, int i)
{
    double weightSum = 0;
    double rhoSum = 0;
    double phaseSum = 0;
    for (int j = 0; j < curve.size(); ++j) {
        if (dead[j])
            continue;
        const double inverseDistance = 1.0 / (j - i);
        const double w = inverseDistance * inverseDistance;
        weightSum += w;
        rhoSum += w * curve[j].rho;
        phaseSum += w * curve[j].phase;
    }
    if (weightSum == 0)
        return;
    curve[i].rho = rhoSum / weightSum;
    curve[i].phase = phaseSum / weightSum;
}

// Hits of a fixed triple: records whose frequency equals one of its values exactly.
QVector<bool> tripleHits(const QVector<OneFreqImpedance> &curve, const std::array<double, 3> &triple)
{
    QVector<bool> hit(curve.size(), false);
    for (int i = 0; i < curve.size(); ++i) {
        for (double f : triple)
            hit[i] = hit[i] || curve[i].freq == f;
    }
    return hit;
}

// Smoothed value at k of x (n >= 5): five-point mean inside, the end formulas at the first and
// last two positions.
double smoothFive(const QVector<double> &x, int k)
{
    const int n = x.size();
    if (k == 0)
        return (3 * x[0] + 2 * x[1] + x[2] - x[4]) / 5;
    if (k == 1)
        return (4 * x[0] + 3 * x[1] + 2 * x[2] + x[3]) / 10;
    if (k == n - 2)
        return (4 * x[n - 1] + 3 * x[n - 2] + 2 * x[n - 3] + x[n - 4]) / 10;
    if (k == n - 1)
        return (3 * x[n - 1] + 2 * x[n - 2] + x[n - 3] - x[n - 5]) / 5;
    return (x[k - 2] + x[k - 1] + x[k] + x[k + 1] + x[k + 2]) / 5;
}

void smoothThree(QVector<double> &x)
{
    const int n = x.size();
    if (n < 3)
        return;
    QVector<double> y(n);
    y[0] = (5 * x[0] + 2 * x[1] - x[2]) / 6;
    for (int k = 1; k <= n - 2; ++k)
        y[k] = (x[k - 1] + x[k] + x[k + 1]) / 3;
    y[n - 1] = (5 * x[n - 1] + 2 * x[n - 2] - x[n - 3]) / 6;
    x = y;
}

}  // namespace

const QVector<double> &Rhoworks::deadFrequencyList()
{
    static const QVector<double> dead = {2000, 2510, 3160, 3980, 39.8, 50.1, 63.1, 79.4, 126, 158, 200};
    return dead;
}

void Rhoworks::DealWithDeadFreqAndPowerLine(QVector<OneFreqImpedance> &records)
{
    QVector<double> dead = deadFrequencyList();
    QVector<bool> isDead(records.size());
    for (int i = 0; i < records.size(); ++i)
        isDead[i] = findSampeFreq(records[i].freq, dead);
    for (int i = 0; i < records.size(); ++i) {
        if (isDead[i])
            fillFromLiveRecords(records, isDead, i);
    }
    for (OneFreqImpedance &record : records)
        setBostick(record);
}

QVector<OneFreqImpedance> Rhoworks::DealWithPowerLineFreq(QVector<OneFreqImpedance> records)
{
    QList<double> hits;
    for (double line : powerLineList) {
        for (const OneFreqImpedance &record : records) {
            if (record.freq == line) {
                hits.append(line);
                break;
            }
        }
    }
    QVector<bool> nearHit(records.size(), false);
    for (int i = 0; i < records.size(); ++i) {
        for (double line : hits)
            nearHit[i] = nearHit[i] || std::fabs(records[i].freq - line) < kPowerLineToleranceHz;
    }
    splineRepair(records, nearHit, true, "Rhoworks::DealWithPowerLineFreq:");
    return records;
}

QVector<OneFreqImpedance> Rhoworks::DealWith50HzFreq(QVector<OneFreqImpedance> records)
{
    splineRepair(records, tripleHits(records, {39.8, 50.1, 63.1}), false,
                 "Rhoworks::DealWith50HzFreq:");
    return records;
}

QVector<OneFreqImpedance> Rhoworks::DealWith150HzFreq(QVector<OneFreqImpedance> records)
{
    splineRepair(records, tripleHits(records, {126, 158, 200}), false,
                 "Rhoworks::DealWith150HzFreq:");
    return records;
}

void Rhoworks::LineSmoothThree(QVector<double> &first, QVector<double> &second)
{
    smoothThree(first);
    smoothThree(second);
}

void Rhoworks::LineSmoothFive(QVector<OneFreqImpedance> records)
{
    const int n = std::min(records.size(), curve.size());
    if (records.size() < 5)
        return;
    const QVector<double> rho = recordColumn(records, &OneFreqImpedance::rho);
    const QVector<double> phase = recordColumn(records, &OneFreqImpedance::phase);
    for (int k = 0; k < n; ++k) {
        const double smoothRho = smoothFive(rho, k);
        const double smoothPhase = smoothFive(phase, k);
        OneFreqImpedance &target = curve[k];
        target.rho = smoothRho <= 0.1 ? rho[k] : smoothRho;
        target.phase = (smoothPhase <= 1 || smoothPhase >= 89) ? phase[k] : smoothPhase;
        setBostick(target);
    }
}

bool Rhoworks::ImpedanceSortByFreq(const OneFreqImpedance &a, const OneFreqImpedance &b)
{
    return a.freq < b.freq;
}
