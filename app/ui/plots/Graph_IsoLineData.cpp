#include "Graph_IsoLineData.h"

#include <algorithm>
#include <cmath>

namespace {

// (depth, value) samples sorted by depth, each depth once (the first sample kept).
void sortedSamples(const QVector<double> &depths, const QVector<double> &values,
                   QVector<double> &x, QVector<double> &y)
{
    QVector<QPair<double, double>> samples;
    const int n = qMin(depths.size(), values.size());
    for (int i = 0; i < n; ++i) {
        if (std::isfinite(depths[i]) && std::isfinite(values[i]))
            samples.append({depths[i], values[i]});
    }
    std::stable_sort(samples.begin(), samples.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &sample : samples) {
        if (x.isEmpty() || sample.first > x.last()) {
            x.append(sample.first);
            y.append(sample.second);
        }
    }
}

// The smallest and largest finite element of values, or an invalid interval.
QwtInterval finiteSpan(const QVector<double> &values)
{
    QwtInterval span;
    for (double v : values) {
        if (!std::isfinite(v))
            continue;
        span = span.isValid() ? QwtInterval(qMin(span.minValue(), v), qMax(span.maxValue(), v))
                              : QwtInterval(v, v);
    }
    return span;
}

} // namespace

Graph_IsoLineData::Graph_IsoLineData(QObject *parent) : QObject(parent) {}

Graph_IsoLineData::~Graph_IsoLineData() = default;

void Graph_IsoLineData::setData(const QList<DataType_ResultData> &data,
                                const QVector<TopoData> &topography)
{
    stations = data;
    surface = topography;
    splines.clear();
    for (const DataType_ResultData &station : stations)
        splines.push_back(buildProfile(station.depth, station.value));
    QVector<double> positions, elevations;
    for (const TopoData &point : surface) {
        positions.append(point.position);
        elevations.append(point.elevation);
    }
    QVector<double> x, y;
    sortedSamples(positions, elevations, x, y);
    surfaceSpline = naturalSpline(x, y);
    surfaceOnlyElevation = x.size() == 1 ? y.first() : qQNaN();
    setIntervals();
}

Graph_IsoLineData::Profile Graph_IsoLineData::buildProfile(const QVector<double> &depths,
                                                           const QVector<double> &values)
{
    QVector<double> x, y;
    sortedSamples(depths, values, x, y);
    Profile profile;
    if (x.isEmpty())
        return profile;
    profile.isEmpty = false;
    profile.deepest = x.first();
    profile.shallowest = x.last();
    profile.onlyValue = y.first();
    profile.spline = naturalSpline(x, y);
    return profile;
}

// A natural cubic spline through three or more knots, a straight line through two.
std::unique_ptr<GslSpline> Graph_IsoLineData::naturalSpline(const QVector<double> &x,
                                                            const QVector<double> &y)
{
    if (x.size() < 2)
        return nullptr;
    auto spline = std::make_unique<GslSpline>(x.size() < 3 ? gsl_interp_linear : gsl_interp_cspline, x);
    if (!spline->fit(y))
        return nullptr;
    return spline;
}

void Graph_IsoLineData::setIntervals()
{
    QVector<double> positions, depths, values;
    for (const DataType_ResultData &station : stations) {
        positions.append(station.position);
        depths += station.depth;
        values += station.value;
    }
    setInterval(Qt::XAxis, finiteSpan(positions));
    setInterval(Qt::YAxis, finiteSpan(depths));
    setInterval(Qt::ZAxis, finiteSpan(values));
}

double Graph_IsoLineData::background() const
{
    const QwtInterval &z = interval(Qt::ZAxis);
    return z.isValid() ? z.minValue() : 0.0;
}

double Graph_IsoLineData::withData(double v) const
{
    return qMax(background() + 1.0, v);
}

double Graph_IsoLineData::elevationAt(double x) const
{
    return surfaceSpline ? surfaceSpline->at(x) : surfaceOnlyElevation;
}

// The right station of the first pair whose positions strictly bracket x, or -1.
int Graph_IsoLineData::bracketingPair(double x) const
{
    for (int k = 1; k < stations.size(); ++k) {
        if ((stations[k - 1].position - x) * (stations[k].position - x) < 0.0)
            return k;
    }
    return -1;
}

double Graph_IsoLineData::value(double x, double y) const
{
    const int k = bracketingPair(x);
    if (k < 0)
        return background();
    const Profile &left = splines[size_t(k - 1)];
    const Profile &right = splines[size_t(k)];
    const bool leftIn = left.contains(y);
    const bool rightIn = right.contains(y);
    if (leftIn && rightIn) {
        const double xL = stations[k - 1].position;
        const double xR = stations[k].position;
        return withData((std::abs(xR - x) * left.at(y) + std::abs(x - xL) * right.at(y))
                        / std::abs(xR - xL));
    }
    if (rightIn)
        return acrossEdge(k, k - 1, x, y);
    if (leftIn)
        return acrossEdge(k - 1, k, x, y);
    return background();
}

// The matching ends of the two profiles for depth y: the first samples when y lies above the
// outside profile's first sample, the last samples when it lies below its last one.
bool Graph_IsoLineData::edgePoints(int inside, int outside, double y, EdgePoint &in,
                                   EdgePoint &out) const
{
    const DataType_ResultData &o = stations[outside];
    const DataType_ResultData &i = stations[inside];
    if (o.depth.isEmpty() || i.depth.isEmpty() || o.value.size() != o.depth.size()
        || i.value.size() != i.depth.size())
        return false;
    if (y > o.depth.first()) {
        out = {o.position, o.depth.first(), o.value.first()};
        in = {i.position, i.depth.first(), i.value.first()};
        return true;
    }
    if (y < o.depth.last()) {
        out = {o.position, o.depth.last(), o.value.last()};
        in = {i.position, i.depth.last(), i.value.last()};
        return true;
    }
    return false;
}

// Only the inside station reaches depth y. The straight edge line joins the two profiles' ends;
// beyond it there is no data. Inside it the value runs linearly from the edge line (where the
// line is at depth y, its value interpolated along the line) to the inside station.
double Graph_IsoLineData::acrossEdge(int inside, int outside, double x, double y) const
{
    EdgePoint in{}, out{};
    if (!edgePoints(inside, outside, y, in, out) || in.depth == out.depth)
        return background();
    const double span = std::abs(in.position - out.position);
    const double e = out.depth + std::abs(x - out.position) * (in.depth - out.depth) / span;
    const bool above = y > out.depth;
    if ((above && y > e) || (!above && y < e))
        return background();
    const double xe = out.position
        + (in.position - out.position) * std::abs(y - out.depth) / std::abs(in.depth - out.depth);
    const double s = std::hypot(xe - out.position, y - out.depth);
    const double length = std::hypot(in.position - out.position, in.depth - out.depth);
    const double ve = out.value + s * (in.value - out.value) / length;
    const double vIn = splines[size_t(inside)].at(y);
    const double toInside = std::abs(in.position - xe);
    if (toInside == 0.0)
        return withData(vIn);
    return withData((ve * std::abs(in.position - x) + std::abs(x - xe) * vIn) / toInside);
}
