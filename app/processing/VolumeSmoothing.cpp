#include "VolumeSmoothing.h"

#include <cmath>

#include "SpectralMath.h"

namespace {

// Raised-cosine weights at offsets 0, 1, ... nodes apart (spacing metres) within half-width w.
QVector<double> windowWeights(double spacing, double w)
{
    QVector<double> weights;
    for (int m = 0; m * spacing <= w; ++m)
        weights.append(0.5 * std::cos(m * spacing * SpectralMath::kPi / w) + 0.5);
    return weights;
}

// Weighted sums along one direction of a level: n lines of length len, element e of line l at
// offset l * lineStride + e * step. Values and masks are filtered alike.
void filterLines(QVector<double> &values, QVector<double> &masks, int lines, int lineStride,
                 int len, int step, const QVector<double> &weights)
{
    QVector<double> v(len), m(len);
    for (int l = 0; l < lines; ++l) {
        for (int e = 0; e < len; ++e) {
            double sumV = 0.0, sumM = 0.0;
            for (int o = -(weights.size() - 1); o < weights.size(); ++o) {
                const int f = e + o;
                if (f < 0 || f >= len)
                    continue;
                const int at = l * lineStride + f * step;
                sumV += weights[std::abs(o)] * values[at];
                sumM += weights[std::abs(o)] * masks[at];
            }
            v[e] = sumV;
            m[e] = sumM;
        }
        for (int e = 0; e < len; ++e) {
            values[l * lineStride + e * step] = v[e];
            masks[l * lineStride + e * step] = m[e];
        }
    }
}

void smoothLevel(QVector<float> &volume, const VolumeGrid &grid, int k, double w)
{
    const int n = grid.nx * grid.ny;
    const qint64 first = grid.index(0, 0, k);
    QVector<double> values(n), masks(n);
    for (int p = 0; p < n; ++p) {
        const float value = volume[first + p];
        masks[p] = std::isnan(value) ? 0.0 : 1.0;
        values[p] = std::isnan(value) ? 0.0 : value;
    }
    filterLines(values, masks, grid.ny, grid.nx, grid.nx, 1, windowWeights(grid.dx, w));
    filterLines(values, masks, grid.nx, 1, grid.ny, grid.nx, windowWeights(grid.dy, w));
    for (int p = 0; p < n; ++p)
        if (!std::isnan(volume[first + p]))
            volume[first + p] = float(values[p] / masks[p]);
}

} // namespace

namespace VolumeSmoothing {

void smooth(QVector<float> &volume, const VolumeGrid &grid, double factor)
{
    if (!(factor > 0))
        return;
    for (int k = 0; k < grid.nz; ++k) {
        const double w = (grid.top() - grid.z(k)) * factor;
        if (w > 0)
            smoothLevel(volume, grid, k, w);
    }
}

} // namespace VolumeSmoothing
