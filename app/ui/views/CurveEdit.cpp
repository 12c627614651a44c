#include "CurveEdit.h"

#include "Data_FitCalc.h"
#include "ImpedanceFormulas.h"

namespace {

bool samePoint(const OneFreqImpedance &a, const OneFreqImpedance &b)
{
    return a.tag == b.tag && a.freq == b.freq && a.coherency == b.coherency && a.rho == b.rho
           && a.phase == b.phase && a.bostickRho == b.bostickRho
           && a.bostickDepth == b.bostickDepth;
}

} // namespace

void recomputeBostick(OneFreqImpedance &point)
{
    const bool defined = point.rho > 0.0 && point.phase > 0.0 && point.freq > 0.0;
    point.bostickRho = defined ? ImpedanceFormulas::bostickRho(point.rho, point.phase) : 0.0;
    point.bostickDepth = defined ? ImpedanceFormulas::bostickDepth(point.rho, point.freq) : 0.0;
}

CurveEdit CurveEdit::received(const QVector<OneFreqImpedance> &curve)
{
    CurveEdit edit;
    edit.points = curve;
    edit.masked = QVector<bool>(curve.size(), false);
    for (OneFreqImpedance &point : edit.points)
        recomputeBostick(point);
    return edit;
}

void CurveEdit::setPlottedValues(const QVector<QPointF> &rho, const QVector<QPointF> &phase)
{
    for (int i = 0; i < points.size(); ++i) {
        points[i].rho = rho.value(i, QPointF(0.0, points[i].rho)).y();
        points[i].phase = phase.value(i, QPointF(0.0, points[i].phase)).y();
        recomputeBostick(points[i]);
    }
}

void CurveEdit::smooth()
{
    QVector<int> kept;
    QVector<double> rho, phase;
    for (int i = 0; i < points.size(); ++i) {
        if (isMasked(i))
            continue;
        kept.append(i);
        rho.append(points[i].rho);
        phase.append(points[i].phase);
    }
    Data_FitCalc().smoothCurve(rho, phase);
    for (int k = 0; k < kept.size(); ++k) {
        points[kept[k]].rho = rho[k];
        points[kept[k]].phase = phase[k];
        recomputeBostick(points[kept[k]]);
    }
}

QVector<OneFreqImpedance> CurveEdit::keptPoints() const
{
    QVector<OneFreqImpedance> kept;
    for (int i = 0; i < points.size(); ++i) {
        if (isMasked(i))
            continue;
        kept.append(points[i]);
        recomputeBostick(kept.last());
    }
    return kept;
}

void CurveEdit::dropMasked()
{
    points = keptPoints();
    masked = QVector<bool>(points.size(), false);
}

bool CurveEdit::operator==(const CurveEdit &other) const
{
    if (points.size() != other.points.size() || masked != other.masked)
        return false;
    for (int i = 0; i < points.size(); ++i)
        if (!samePoint(points[i], other.points[i]))
            return false;
    return true;
}
