#include "LayerGrid.h"

#include <cmath>
#include <utility>

LayerGrid::LayerGrid(std::vector<double> thicknesses) : heights(std::move(thicknesses))
{
    double depth = 0.0;
    for (double h : heights) {
        tops.push_back(depth);
        depth += h;
    }
}

std::vector<double> LayerGrid::thicknessesAboveHalfSpace() const
{
    return std::vector<double>(heights.begin(), heights.end() - 1);
}

double LayerGrid::verticalWeight(int k) const
{
    return 1.0 / std::log(centreDepth(k + 1) / centreDepth(k));
}

double LayerGrid::lateralWeight(int k) const
{
    const double top = k == 0 ? heights[0] / 2 : tops[k];
    return std::log((tops[k] + heights[k]) / top);
}
