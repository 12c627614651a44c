#include "StationCurve.h"

#include <cmath>

namespace {

bool isUsable(const CurvePoint &p)
{
    return std::isfinite(p.freq) && std::isfinite(p.rho) && std::isfinite(p.phase) && p.freq > 0
           && p.rho > 0 && p.phase > 0 && p.phase < 90;
}

} // namespace

StationCurve::StationCurve(int number, const std::vector<CurvePoint> &records)
    : stationNumber(number), recordCount(int(records.size()))
{
    for (const CurvePoint &p : records)
        if (isUsable(p))
            usable.push_back(p);
}

QString StationCurve::report() const
{
    const QString counts = QStringLiteral("station %1: %2 of %3 records usable")
                               .arg(stationNumber).arg(usable.size()).arg(recordCount);
    if (!isInvertible())
        return counts + QStringLiteral(" (at least %1 needed, each finite with a phase between 0 "
                                       "and 90 degrees): left out, its column follows its "
                                       "neighbours").arg(kMinimumRecords);
    if (int(usable.size()) < recordCount)
        return counts + QStringLiteral(" (non-finite records and phases outside 0 to 90 degrees "
                                       "dropped)");
    return QString();
}
