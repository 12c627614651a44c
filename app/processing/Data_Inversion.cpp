#include "Data_Inversion.h"

#include <QDebug>
#include <algorithm>
#include <cmath>
#include <limits>

#include "ImpedanceFormulas.h"
#include "LinearInterpolation.h"

namespace {

constexpr double kGridStep = 10.0;        // m
constexpr int kMaxGridLevels = 100000;    // refuses absurd settings instead of looping for ever

struct DepthPoint {
    double depth;
    double rho;
};

} // namespace

Data_Inversion::Data_Inversion(QObject *parent) : QObject(parent)
{
}

double Data_Inversion::stationElevation(const QVector<TopoData> &topography, double x) const
{
    if (topography.isEmpty())
        return 0.0;
    QVector<double> positions, elevations;
    double sum = 0.0;
    for (const TopoData &point : topography) {
        positions.append(point.position);
        elevations.append(point.elevation);
        sum += point.elevation;
    }
    const double mean = sum / topography.size();
    LinearInterpolation elevationAt(positions, elevations);
    if (elevationAt.knotCount() < 2 || !elevationAt.covers(x))
        return mean;
    return elevationAt.at(x);
}

double Data_Inversion::inverseDistanceValue(const QVector<double> &elevations,
                                            const QVector<double> &values, double g) const
{
    const int count = std::min(elevations.size(), values.size());
    float sum = 0.0f;
    float weights = 0.0f;
    for (int i = 0; i < count; ++i) {
        const float d = std::fabs(float(elevations[i]) - float(g));
        if (d < 0.1f)
            return values[i];
        const float w = 1.0f / (d * d);
        sum += w * float(values[i]);
        weights += w;
    }
    return count > 0 ? double(sum / weights) : std::numeric_limits<double>::quiet_NaN();
}

double Data_Inversion::interpolateColumn(const QVector<double> &elevations,
                                         const QVector<double> &values, double g) const
{
    LinearInterpolation valueAt(elevations, values);
    if (valueAt.knotCount() >= 2 && valueAt.covers(g))
        return valueAt.at(g);
    return inverseDistanceValue(elevations, values, g);
}

Data_Inversion::Column Data_Inversion::stationColumn(const QVector<OneFreqImpedance> &curve,
                                                     double surface, double depthScale) const
{
    QVector<DepthPoint> points;
    for (const OneFreqImpedance &record : curve) {
        const double depth = -ImpedanceFormulas::bostickDepth(record.rho, record.freq) * depthScale;
        const double rho = ImpedanceFormulas::bostickRho(record.rho, record.phase);
        if (std::isfinite(depth) && std::isfinite(rho))
            points.append(DepthPoint{depth, rho});
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const DepthPoint &a, const DepthPoint &b) { return a.depth < b.depth; });
    Column column;
    for (int i = 0; i < points.size(); ++i) {
        const double elevation = i + 1 < points.size() ? surface + points[i].depth : surface;
        if (column.elevations.contains(elevation))
            continue;
        column.elevations.append(elevation);
        column.values.append(points[i].rho);
    }
    return column;
}

DataType_ResultData Data_Inversion::resampledColumn(const Column &column, double position,
                                                    double bottom, double top) const
{
    DataType_ResultData result;
    result.position = position;
    if (column.elevations.isEmpty())
        return result;
    for (int k = 0; bottom + k * kGridStep < top + kGridStep; ++k) {
        const double g = bottom + k * kGridStep;
        result.depth.append(g);
        result.value.append(interpolateColumn(column.elevations, column.values, g));
    }
    return result;
}

QList<DataType_ResultData> Data_Inversion::depthSection(
    const QList<QVector<OneFreqImpedance>> &curves, const QVector<double> &positions,
    const SectionSettings &settings) const
{
    const int stations = std::min(curves.size(), positions.size());
    QVector<Column> columns;
    double top = -1000.0;
    for (int s = 0; s < stations; ++s) {
        const double surface = stationElevation(settings.topography, positions[s]);
        columns.append(stationColumn(curves[s], surface, settings.depthScale));
        for (double elevation : qAsConst(columns.last().elevations))
            top = std::max(top, elevation);
    }
    const double levels = (top + kGridStep - settings.sectionBottom) / kGridStep;
    if (!(levels <= kMaxGridLevels)) {
        qDebug() << "Data_Inversion::depthSection: section bottom" << settings.sectionBottom
                 << "gives" << levels << "levels up to" << top << "; no section";
        return {};
    }
    QList<DataType_ResultData> section;
    for (int s = 0; s < stations; ++s)
        section.append(resampledColumn(columns[s], positions[s], settings.sectionBottom, top));
    return section;
}
