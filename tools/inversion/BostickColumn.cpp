#include "BostickColumn.h"

#include <algorithm>
#include <cmath>
#include <utility>

BostickColumn::BostickColumn(const std::vector<CurvePoint> &curve)
{
    std::vector<std::pair<double, double>> points;
    for (const CurvePoint &p : curve) {
        if (!(p.freq > 0 && p.rho > 0))
            continue;
        // Outside 0 to 90 degrees the transform has no meaning; keep the apparent resistivity.
        const double nb = p.phase > 0 && p.phase < 90 ? (90.0 / p.phase - 1.0) * p.rho : p.rho;
        points.emplace_back(356.0 * std::sqrt(p.rho / p.freq), std::log(std::max(nb, 1e-3)));
    }
    std::sort(points.begin(), points.end());
    for (const auto &point : points) {
        depths.push_back(point.first);
        logRhos.push_back(point.second);
    }
}

double BostickColumn::resistivityAt(double depth) const
{
    if (depths.empty())
        return 100.0;
    if (depth <= depths.front())
        return std::exp(logRhos.front());
    if (depth >= depths.back())
        return std::exp(logRhos.back());
    const auto upper = std::upper_bound(depths.begin(), depths.end(), depth) - depths.begin();
    const double d0 = depths[upper - 1], d1 = depths[upper];
    const double t = d1 > d0 ? (depth - d0) / (d1 - d0) : 0.0;
    return std::exp(logRhos[upper - 1] + t * (logRhos[upper] - logRhos[upper - 1]));
}
