#include "Data_Smooth.h"

#include <QDebug>
#include <algorithm>
#include <cmath>

#include "SpectralMath.h"

namespace {

bool sharesLevels(const QList<DataType_ResultData> &section)
{
    for (const DataType_ResultData &column : section)
        if (column.depth != section.first().depth || column.value.size() != column.depth.size())
            return false;
    return true;
}

// Raised-cosine weighted mean around column m over half-width w.
double smoothedValue(const QVector<double> &row, const QVector<double> &positions, int m, double w)
{
    double sum = 0.0;
    double weights = 0.0;
    for (int k = 0; k < row.size(); ++k) {
        const double d = std::fabs(positions[m] - positions[k]);
        const double weight = d <= w ? 0.5 * std::cos(d * SpectralMath::kPi / w) + 0.5 : 0.0;
        sum += weight * row[k];
        weights += weight;
    }
    return sum / weights;
}

} // namespace

Data_Smooth::Data_Smooth(QObject *parent) : QObject(parent)
{
}

QList<DataType_ResultData> Data_Smooth::smoothSection(QList<DataType_ResultData> section,
                                                      double smoothFactor) const
{
    if (section.isEmpty())
        return section;
    if (!sharesLevels(section)) {
        qDebug() << "Data_Smooth::smoothSection: the columns do not share their levels; section left unsmoothed";
        return section;
    }
    const QVector<double> levels = section.first().depth;
    QVector<double> positions;
    QVector<QVector<double>> rows(levels.size());
    for (const DataType_ResultData &column : qAsConst(section)) {
        positions.append(column.position);
        for (int j = 0; j < levels.size(); ++j)
            rows[j].append(column.value[j]);
    }
    smoothRows(rows, smoothFactor, levels, positions);
    for (int m = 0; m < section.size(); ++m)
        for (int j = 0; j < levels.size(); ++j)
            section[m].value[j] = rows[j][m];
    return section;
}

void Data_Smooth::smoothRows(QVector<QVector<double>> &rows, double smoothFactor,
                             const QVector<double> &levels,
                             const QVector<double> &positions) const
{
    if (levels.isEmpty())
        return;
    const double top = *std::max_element(levels.cbegin(), levels.cend());
    const int rowCount = std::min(rows.size(), levels.size());
    for (int j = 0; j < rowCount; ++j) {
        const double w = (top - levels[j]) * smoothFactor;
        if (!(w > 0) || rows[j].size() > positions.size())
            continue;
        for (int m = 0; m < rows[j].size(); ++m)
            rows[j][m] = smoothedValue(rows[j], positions, m, w);
    }
}
